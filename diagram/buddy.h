// The decision-diagram manager's C interface alone: its C++ layer's renaming macros undone.
#pragma once

#include <bdd.h>

#undef bdd_init
#undef bdd_ithvar
#undef bdd_nithvar
#undef bdd_makeset
#undef bdd_ibuildcube
#undef bdd_anodecount
#undef bddtrue
#undef bddfalse

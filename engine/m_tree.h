// The engine core in one include: store, text tests, numbers, parser, listing.
#pragma once

#include "engine/engine_error.h"
#include "engine/expr_tree.h"
#include "engine/listing.h"
#include "engine/numbers.h"
#include "engine/parser.h"
#include "engine/text_tests.h"
#include "engine/tree_printer.h"

// Identifiers every netlist format accepts, distinct letter case aside.
#include "circuit/netlist_names.h"

#include <cctype>
#include <sstream>

#include "circuit/netlist.h"

namespace brevano {

namespace {

// Reserved words of Verilog and VHDL that an identifier made of a table's caption could spell
// (compared case aside), and STD_LOGIC, the VHDL ports' type, which a port of that name would hide.
const std::set<std::string>& ReservedWords() {
  static const std::set<std::string> words = [] {
    std::istringstream list(
        "ABS ACCESS AFTER ALIAS ALL ALWAYS AND ARCHITECTURE ARRAY ASSERT ASSIGN ATTRIBUTE AUTOMATIC BEGIN "
        "BLOCK BODY BUF BUFFER BUFIF0 BUFIF1 BUS CASE CASEX CASEZ CELL CMOS COMPONENT CONFIG "
        "CONFIGURATION CONSTANT CONTEXT DEASSIGN DEFAULT DEFPARAM DESIGN DISABLE DISCONNECT DOWNTO EDGE "
        "ELSE ELSIF END ENDCASE ENDCONFIG ENDFUNCTION ENDGENERATE ENDMODULE ENDPRIMITIVE ENDSPECIFY "
        "ENDTABLE ENDTASK ENTITY EVENT EXIT FILE FOR FORCE FOREVER FORK FUNCTION GENERATE GENERIC GENVAR "
        "GROUP GUARDED HIGHZ0 HIGHZ1 IF IFNONE IMPURE IN INCDIR INCLUDE INERTIAL INITIAL INOUT INPUT "
        "INSTANCE INTEGER IS JOIN LABEL LARGE LIBLIST LIBRARY LINKAGE LITERAL LOCALPARAM LOOP MACROMODULE "
        "MAP MEDIUM MOD MODULE NAND NEGEDGE NEW NEXT NMOS NOR NOSHOWCANCELLED NOT NOTIF0 NOTIF1 NULL OF "
        "ON OPEN OR OTHERS OUT OUTPUT PACKAGE PARAMETER PMOS PORT POSEDGE POSTPONED PRIMITIVE PROCEDURE "
        "PROCESS PROTECTED PULL0 PULL1 PULLDOWN PULLUP PURE RANGE RCMOS REAL REALTIME RECORD REG REGISTER "
        "REJECT RELEASE REM REPEAT REPORT RETURN RNMOS ROL ROR RPMOS RTRAN RTRANIF0 RTRANIF1 SCALARED "
        "SELECT SEVERITY SHARED SIGNAL SIGNED SLA SLL SMALL SPECIFY SPECPARAM SRA SRL STD_LOGIC STRONG0 "
        "STRONG1 SUBTYPE SUPPLY0 SUPPLY1 TABLE TASK THEN TIME TO TRAN TRANIF0 TRANIF1 TRANSPORT TRI TRI0 "
        "TRI1 TRIAND TRIOR TRIREG TYPE UNAFFECTED UNITS UNSIGNED UNTIL USE VARIABLE VECTORED WAIT WAND "
        "WEAK0 WEAK1 WHEN WHILE WIRE WITH WOR XNOR XOR ");
    std::set<std::string> set;
    for (std::string word; list >> word;) set.insert(word);
    return set;
  }();
  return words;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string NetlistIdentifier(const std::string& name) {
  std::string id;
  for (unsigned char c : name) {
    const bool keep = std::isalnum(c) && c < 0x80;
    if (keep) {
      id += static_cast<char>(c);
    } else if (!id.empty() && id.back() != '_') {
      id += '_';
    }
  }
  while (!id.empty() && id.back() == '_') id.pop_back();
  if (id.empty() || !std::isalpha(static_cast<unsigned char>(id[0]))) id = "V_" + id;
  while (!id.empty() && id.back() == '_') id.pop_back();
  return id;
}

std::string PrintableText(const std::string& text) {
  std::string out;
  for (unsigned char c : text) out += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
  return out;
}

NetlistNames::NetlistNames() { taken_.insert(Upper(kNetlistModule)); }

std::string NetlistNames::Take(const std::string& wanted) {
  std::string name = wanted;
  for (int suffix = 2; ReservedWords().count(Upper(name)) || taken_.count(Upper(name)); ++suffix)
    name = wanted + "_" + std::to_string(suffix);
  taken_.insert(Upper(name));
  return name;
}

}  // namespace brevano

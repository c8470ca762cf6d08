// The help pages of the analysis, the Karnaugh map, the circuit and the file windows.
#include "app/help_dialog.h"

namespace brevano {

QString HelpTitle(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::kSyntax: break;
    case HelpTopic::kAnalysis: return QObject::tr("Analysis");
    case HelpTopic::kMap: return QObject::tr("Karnaugh map");
    case HelpTopic::kCircuit: return QObject::tr("Circuit");
    case HelpTopic::kFiles: return QObject::tr("Opening, saving and exporting files");
  }
  return QObject::tr("Expression syntax");
}

namespace {

QString AnalysisPage() {
  return QObject::tr(R"(<h2>Analysis</h2>
<p><b>Tools &gt; Analyse…</b> (F9) describes the function of the table shown. Each line appears as soon as
it is known: first the solver's verdict (never 1, always 1, or both) with the first and last rows of each
kind, then the count of rows with Result 1 and 0, the minterms and maxterms, and the least sum of products
and product of sums.</p>
<h3>Least forms</h3>
<p>Up to 16 variables the sum and the product are exact minima. Beyond, they are improved step by step
and, where the prime terms are few, proven minimal; the line says which.</p>
<h3>Don't care</h3>
<p>Type an expression over the table's columns into <b>Don't care:</b> and press Enter or <b>Apply</b>: the
rows where it is 1 may take either value. The counts then say how many rows are don't-cares, and the least
forms cover every 1 row and no 0 row. The expression names only the table's columns: one that names
another variable is refused with that variable's name (the don't-cares never add columns to the table;
<code>brevano analyse --dont-care</code> refuses it in the same words). An expression that cannot be
read is shown in red under the field too, and the analysis stays as it was.</p>
<h3>Other forms and properties</h3>
<p>The second page gives the algebraic normal form, the NAND and NOR forms, the canonical lists, the
function number, the variables the function depends on and is monotone in, and whether it is symmetric,
self-dual, linear, 0- or 1-preserving.</p>
<h3>Keeping the report</h3>
<p><b>Copy all</b> puts the report on the clipboard and <b>Save…</b> writes it to a text file: the lines
<code>brevano analyse</code> prints. A new table marks the analysis as being for the previous table.</p>)");
}

QString MapPage() {
  return QObject::tr(R"(<h2>Karnaugh map</h2>
<p><b>Tools &gt; Karnaugh map…</b> (F6) draws a table of 1 to 6 variables as a map, its rows and columns
in reflected Gray code, so that neighbouring cells differ in one variable (across the opposite edges
too).</p>
<p>With 5 or 6 variables the map is two or four 4-variable maps side by side, one for each value of the
first variable or two; the cell at the same place in the next map is a neighbour as well.</p>
<h3>Groups</h3>
<p>The map shows the least sum of products grouped on the 1s, or the least product of sums grouped on
the 0s. Hover over a term in the list, or select it, to highlight its group. A click on a cell selects
its row in the table.</p>
<h3>Don't care</h3>
<p>An expression in <b>Don't care:</b> over the map's variables makes its rows don't-cares: they are
drawn "-" and grouped where that makes the cover smaller. Another variable is refused by name, as in the
analysis.</p>
<h3>Keeping the map</h3>
<p><b>Save as SVG…</b>, <b>Save as PNG…</b>, <b>Copy image</b> and <b>Print…</b> take the light picture
with its terms under the map.</p>)");
}

QString CircuitPage() {
  return QObject::tr(R"(<h2>Circuit</h2>
<p><b>Tools &gt; Circuit…</b> (F7) draws the logic circuit of the table shown: as typed (the tree the
table evaluates), or the least sum of products or product of sums in two levels, or the same with NAND
or NOR gates alone. The symbols are distinctive shapes (ANSI) or rectangles (IEC).</p>
<p>The inputs are rails at the left in the table's order, each followed by its complement where an
inverter is needed; the output is named Result. The least forms are made beside the window and may
take some seconds. A circuit of more than 250 gates or 1,000 gate inputs is not drawn.</p>
<p>With a file's table shown, <b>Tools &gt; Circuit of every output…</b> (Shift+F7) minimises all its
outputs together and draws one circuit: each product term is one AND gate, wired to the OR of every
output it feeds, and each output is named as the file names it.</p>
<h3>Zoom</h3>
<p>A circuit wider than the window is scaled to fit. <b>Zoom in</b> (Ctrl++), <b>Zoom out</b> (Ctrl+-) and
<b>Fit</b> (Ctrl+0) change the scale; the picture scrolls when larger than the window.</p>
<h3>Keeping the circuit</h3>
<p><b>Save as SVG…</b>, <b>Save as PNG…</b>, <b>Copy image</b> and <b>Print…</b> take the light
picture, the one <code>brevano circuit --format svg</code> writes.</p>)");
}

QString FilesPage() {
  return QObject::tr(R"(<h2>Opening, saving and exporting files</h2>
<h3>Open…</h3>
<p><b>File &gt; Open…</b> (Ctrl+O) reads a PLA file (<code>.i</code>, <code>.o</code>, <code>.ilb</code>,
<code>.ob</code>, cubes of <code>0</code>, <code>1</code> and <code>-</code>) or a table file (tab- or
comma-separated, as <b>Save table…</b> writes, a Result of <code>-</code> or <code>x</code> being a
don't-care) and shows it as it is: its inputs in its order with its names, one column per output,
<code>-</code> for a don't-care. <b>Output:</b> in the status bar (Alt+U), a click on an output's
caption or Ctrl+Page Down / Ctrl+Page Up chooses the output that the status bar counts, F3 and F4
search, and the analysis, the map and the circuit show (its least sum, with the file's don't-cares).
A file can also be dropped on the window,
and <b>File &gt; Open Recent</b> lists the files opened last. A file that cannot be read is reported
with its line number, and the window keeps its table.</p>
<h3>Save table…</h3>
<p>Writes the whole table as tab-separated values, CSV, Markdown or LaTeX; the typed suffix
(<code>.tsv</code>, <code>.csv</code>, <code>.md</code>, <code>.tex</code>) chooses the format. The file
is written whole or not at all.</p>
<h3>Export…</h3>
<p>Writes the circuit of the table as a netlist in Verilog, VHDL or BLIF (as typed, or a least form),
exactly as <code>brevano export</code> prints it. For an opened file it offers PLA first: every output
minimised together, with the file's names; its BLIF, Verilog and VHDL hold every output too, each
product term one gate shared by the outputs it feeds.</p>
<h3>Print…</h3>
<p><b>File &gt; Print…</b> prints the selected rows, or the whole table when at most one row is selected
(up to 8,192 rows); the map and the circuit windows print their pictures.</p>)");
}

}  // namespace

QString HelpPageHtml(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::kSyntax: break;
    case HelpTopic::kAnalysis: return AnalysisPage();
    case HelpTopic::kMap: return MapPage();
    case HelpTopic::kCircuit: return CircuitPage();
    case HelpTopic::kFiles: return FilesPage();
  }
  return {};
}

}  // namespace brevano

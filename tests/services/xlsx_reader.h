#pragma once

#include <map>
#include <string>
#include <vector>

namespace vetrilo::test {

// One cell of a written workbook as a spreadsheet program would read it.
struct TXlsxCell {
  std::string Text;  // the string, or the stored number text
  bool IsNumber = false;
  std::string NumberFormat;  // "General", "0", "0.00", ...
  double FontSize = 0;
  bool Bold = false;
  bool Italic = false;
  std::string Horizontal;  // "" (general), "left", "right", "center"
  std::string Vertical;
  bool Wrap = false;
  std::string Border;  // style of the left edge: "", "thin", "medium"
};

struct TXlsxColumn {
  double Width = 0;
  std::string Horizontal;
  double FontSize = 0;
};

// The first sheet of an .xlsx file: its name, cells by reference ("A1"),
// columns from 1, the page orientation ("" when not set). Reads the zip with
// libarchive; throws std::runtime_error when the file is not a workbook, and
// At() when the cell is missing.
struct TXlsxSheet {
  std::string Name;
  std::map<std::string, TXlsxCell> Cells;
  std::map<int, TXlsxColumn> Columns;
  std::string Orientation;
  std::vector<std::string> Merged;

  static TXlsxSheet Read(const std::string& path);
  const TXlsxCell& At(const std::string& ref) const;
  bool Has(const std::string& ref) const { return Cells.count(ref) > 0; }
};

// The named entry of a zip file; empty when missing.
std::string ReadZipEntry(const std::string& path, const std::string& entry);

}  // namespace vetrilo::test

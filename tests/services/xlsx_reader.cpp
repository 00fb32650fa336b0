#include "services/xlsx_reader.h"

#include <archive.h>
#include <archive_entry.h>

#include <cstdlib>
#include <stdexcept>

namespace vetrilo::test {
namespace {

std::string Attr(const std::string& tag, const std::string& name) {
  const std::string key = name + "=\"";
  for (size_t at = tag.find(key); at != std::string::npos; at = tag.find(key, at + 1)) {
    if (at == 0 || (tag[at - 1] != ' ' && tag[at - 1] != '\n' && tag[at - 1] != '\t')) continue;
    const size_t begin = at + key.size();
    return tag.substr(begin, tag.find('"', begin) - begin);
  }
  return {};
}

std::string Unescape(std::string text) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
  for (const auto& [from, to] : entities) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1)) {
      text.replace(at, std::string(from).size(), to);
    }
  }
  return text;
}

// The elements `name` of `xml` (whole text of each, self-closing or not).
std::vector<std::string> Elements(const std::string& xml, const std::string& name) {
  std::vector<std::string> out;
  const std::string open = "<" + name;
  const std::string close = "</" + name + ">";
  for (size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
    const size_t after = at + open.size();
    if (after >= xml.size() || (xml[after] != ' ' && xml[after] != '>' && xml[after] != '/')) {
      continue;
    }
    const size_t tagEnd = xml.find('>', after);
    if (tagEnd == std::string::npos) break;
    size_t end = tagEnd + 1;
    if (xml[tagEnd - 1] != '/') {
      const size_t closing = xml.find(close, tagEnd);
      if (closing == std::string::npos) break;
      end = closing + close.size();
    }
    out.push_back(xml.substr(at, end - at));
  }
  return out;
}

std::string Section(const std::string& xml, const std::string& name) {
  const auto all = Elements(xml, name);
  return all.empty() ? std::string() : all.front();
}

// The text between the opening and the closing tag of the first `name` element.
std::string Inner(const std::string& xml, const std::string& name) {
  const std::string element = Section(xml, name);
  const size_t begin = element.find('>');
  const size_t end = element.rfind("</");
  if (begin == std::string::npos || end == std::string::npos || end < begin) return {};
  return element.substr(begin + 1, end - begin - 1);
}

struct TStyle {
  std::string NumberFormat = "General";
  double FontSize = 0;
  bool Bold = false, Italic = false, Wrap = false;
  std::string Horizontal, Vertical, Border;
};

std::vector<TStyle> ReadStyles(const std::string& xml) {
  std::map<std::string, std::string> formats = {
      {"0", "General"}, {"1", "0"}, {"2", "0.00"}, {"3", "#,##0"}, {"4", "#,##0.00"}};
  for (const std::string& f : Elements(Section(xml, "numFmts"), "numFmt")) {
    formats[Attr(f, "numFmtId")] = Unescape(Attr(f, "formatCode"));
  }
  struct TFont {
    double Size = 0;
    bool Bold = false, Italic = false;
  };
  std::vector<TFont> fonts;
  for (const std::string& f : Elements(Section(xml, "fonts"), "font")) {
    TFont font;
    font.Size = std::atof(Attr(Section(f, "sz"), "val").c_str());
    font.Bold = f.find("<b/>") != std::string::npos;
    font.Italic = f.find("<i/>") != std::string::npos;
    fonts.push_back(font);
  }
  std::vector<std::string> borders;
  for (const std::string& b : Elements(Section(xml, "borders"), "border")) {
    borders.push_back(Attr(Section(b, "left"), "style"));
  }
  std::vector<TStyle> styles;
  for (const std::string& x : Elements(Section(xml, "cellXfs"), "xf")) {
    TStyle style;
    style.NumberFormat = formats[Attr(x, "numFmtId")];
    const TFont& font = fonts.at(size_t(std::atoi(Attr(x, "fontId").c_str())));
    style.FontSize = font.Size;
    style.Bold = font.Bold;
    style.Italic = font.Italic;
    style.Border = borders.at(size_t(std::atoi(Attr(x, "borderId").c_str())));
    const std::string alignment = Section(x, "alignment");
    style.Horizontal = Attr(alignment, "horizontal");
    style.Vertical = Attr(alignment, "vertical");
    style.Wrap = Attr(alignment, "wrapText") == "1";
    styles.push_back(style);
  }
  return styles;
}

}  // namespace

std::string ReadZipEntry(const std::string& path, const std::string& entry) {
  archive* a = archive_read_new();
  archive_read_support_format_zip(a);
  std::string out;
  if (archive_read_open_filename(a, path.c_str(), 10240) == ARCHIVE_OK) {
    archive_entry* e = nullptr;
    while (archive_read_next_header(a, &e) == ARCHIVE_OK) {
      if (archive_entry_pathname(e) != entry) continue;
      char buffer[16384];
      la_ssize_t n;
      while ((n = archive_read_data(a, buffer, sizeof buffer)) > 0) out.append(buffer, size_t(n));
      break;
    }
  }
  archive_read_free(a);
  return out;
}

TXlsxSheet TXlsxSheet::Read(const std::string& path) {
  TXlsxSheet sheet;
  const std::string book = ReadZipEntry(path, "xl/workbook.xml");
  const std::string xml = ReadZipEntry(path, "xl/worksheets/sheet1.xml");
  if (book.empty() || xml.empty()) throw std::runtime_error("not a workbook: " + path);
  sheet.Name = Unescape(Attr(Section(book, "sheet"), "name"));
  const std::vector<TStyle> styles = ReadStyles(ReadZipEntry(path, "xl/styles.xml"));
  auto style = [&](const std::string& tag, const char* attr = "s") {
    const std::string s = Attr(tag, attr);
    return styles.at(s.empty() ? 0 : size_t(std::atoi(s.c_str())));
  };
  std::vector<std::string> shared;
  for (const std::string& si : Elements(ReadZipEntry(path, "xl/sharedStrings.xml"), "si")) {
    shared.push_back(Unescape(Inner(si, "t")));
  }
  for (const std::string& c : Elements(Section(xml, "cols"), "col")) {
    const TStyle s = style(c, "style");
    for (int i = std::atoi(Attr(c, "min").c_str()); i <= std::atoi(Attr(c, "max").c_str()); ++i) {
      sheet.Columns[i] = {std::atof(Attr(c, "width").c_str()), s.Horizontal, s.FontSize};
    }
  }
  for (const std::string& c : Elements(xml, "c")) {
    const std::string head = c.substr(0, c.find('>'));
    TXlsxCell cell;
    const TStyle s = style(head);
    cell.NumberFormat = s.NumberFormat;
    cell.FontSize = s.FontSize;
    cell.Bold = s.Bold;
    cell.Italic = s.Italic;
    cell.Horizontal = s.Horizontal;
    cell.Vertical = s.Vertical;
    cell.Wrap = s.Wrap;
    cell.Border = s.Border;
    const std::string type = Attr(head, "t");
    if (type == "inlineStr" || type == "str") {
      cell.Text = Unescape(Inner(c, "t"));
    } else if (type == "s") {
      cell.Text = shared.at(size_t(std::stoi(Inner(c, "v"))));
    } else if (c.find("<v>") != std::string::npos) {
      cell.Text = Inner(c, "v");
      cell.IsNumber = type.empty() || type == "n";
    }
    sheet.Cells[Attr(head, "r")] = cell;
  }
  sheet.Orientation = Attr(Section(xml, "pageSetup"), "orientation");
  for (const std::string& m : Elements(xml, "mergeCell")) sheet.Merged.push_back(Attr(m, "ref"));
  return sheet;
}

const TXlsxCell& TXlsxSheet::At(const std::string& ref) const {
  const auto it = Cells.find(ref);
  if (it == Cells.end()) throw std::runtime_error("no cell " + ref);
  return it->second;
}

}  // namespace vetrilo::test

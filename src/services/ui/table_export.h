#pragma once

#include <QAction>
#include <QString>
#include <QTableView>
#include <functional>

#include "services/export_source.h"

namespace vetrilo {

class TAppSession;
class TActionList;
class TFormExport;

// What a list view shows, as an export source: its visible columns with their
// header captions, alignments and widths, the display texts of its rows and
// its selected rows. The view must outlive the source.
TExportSource ListViewExportSource(const QTableView* view, const QString& name);
// A text grid whose heading is row 0 of its model (card, layout scheme).
TExportSource GridExportSource(const QTableView* view, const QString& name);
// A grid whose heading is the view's header (the stake grid); the selection is
// the span of its selected rows.
TExportSource HeaderGridExportSource(const QTableView* view, const QString& name);

// The export of one table: the dialog, the file to write, the report, and the
// written file opened by the desktop's program for it (TDesktopOpen). The
// seams let tests (and runs without a display) answer instead of the user.
struct TTableExport {
  static std::function<bool(TFormExport&)> RunDialog;
  static std::function<QString(QWidget* parent, const QString& suggested)> ChooseFile;

  // False when cancelled or failed (the failure was shown).
  static bool Execute(TAppSession& session, QWidget* parent, const TExportSource& source,
                      const QString& title);
};

// An export action of a page: its caption and hint, the table it reads when
// triggered, the title and sheet name (the page's caption) and its enable rule.
QAction* AddTableExportAction(TActionList& actions, TAppSession& session, QWidget* page,
                              const QString& name, const QString& caption,
                              std::function<TExportSource()> source, const QString& title,
                              std::function<bool()> enabled);

}  // namespace vetrilo

#include "services/ui/table_export.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/desktop_open.h"
#include "app/ui/qt_text.h"
#include "core/format.h"
#include "services/ui/form_export.h"

namespace vetrilo {

namespace {

int AlignmentOf(const QVariant& value) {
  if (!value.isValid()) return kAlignLeft;
  const int flags = value.toInt();
  if (flags & Qt::AlignHCenter) return kAlignCenter;
  if (flags & Qt::AlignRight) return kAlignRight;
  return kAlignLeft;
}

std::vector<int> VisibleColumns(const QTableView* view) {
  std::vector<int> columns;
  const int count = view->model() ? view->model()->columnCount() : 0;
  for (int c = 0; c < count; ++c) {
    if (!view->isColumnHidden(c)) columns.push_back(c);
  }
  return columns;
}

// Cell texts as the view shows them, `firstRow` rows below the model's top.
std::function<std::string(int, int)> CellReader(const QTableView* view, std::vector<int> columns,
                                                int firstRow) {
  const QAbstractItemModel* model = view->model();
  return [model, columns, firstRow](int row, int column) {
    return S(
        model->index(row + firstRow, columns[size_t(column)]).data(Qt::DisplayRole).toString());
  };
}

std::vector<int> SelectedViewRows(const QTableView* view) {
  std::vector<int> rows;
  if (!view->selectionModel()) return rows;
  for (const QModelIndex& index : view->selectionModel()->selectedIndexes()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

}  // namespace

TExportSource ListViewExportSource(const QTableView* view, const QString& name) {
  TExportSource source;
  source.Kind = TExportTableKind::ListView;
  source.Name = S(name);
  const QAbstractItemModel* model = view->model();
  const std::vector<int> columns = VisibleColumns(view);
  for (int c : columns) {
    const QVariant align =
        model->rowCount() > 0 ? model->index(0, c).data(Qt::TextAlignmentRole) : QVariant();
    source.Columns.push_back({S(model->headerData(c, Qt::Horizontal).toString()),
                              AlignmentOf(align), view->columnWidth(c)});
  }
  source.RowCount = model->rowCount();
  source.Cell = CellReader(view, columns, 0);
  source.MultiSelect = view->selectionMode() != QAbstractItemView::SingleSelection &&
                       view->selectionMode() != QAbstractItemView::NoSelection;
  source.SelectedRows = SelectedViewRows(view);
  return source;
}

TExportSource GridExportSource(const QTableView* view, const QString& name) {
  TExportSource source;
  source.Kind = TExportTableKind::TextGrid;
  source.Name = S(name);
  const QAbstractItemModel* model = view->model();
  const std::vector<int> columns = VisibleColumns(view);
  for (int c : columns) {
    source.Columns.push_back(
        {S(model->index(0, c).data(Qt::DisplayRole).toString()), kAlignLeft, view->columnWidth(c)});
  }
  source.RowCount = std::max(0, model->rowCount() - 1);
  source.Cell = CellReader(view, columns, 1);
  const std::vector<int> rows = SelectedViewRows(view);
  if (!rows.empty()) {
    source.SelectionTop = rows.front();
    source.SelectionBottom = rows.back();
  }
  return source;
}

TExportSource HeaderGridExportSource(const QTableView* view, const QString& name) {
  TExportSource source;
  source.Kind = TExportTableKind::TextGrid;
  source.Name = S(name);
  const QAbstractItemModel* model = view->model();
  const std::vector<int> columns = VisibleColumns(view);
  for (int c : columns) {
    source.Columns.push_back(
        {S(model->headerData(c, Qt::Horizontal).toString()), kAlignLeft, view->columnWidth(c)});
  }
  source.RowCount = model->rowCount();
  source.Cell = CellReader(view, columns, 0);
  const std::vector<int> rows = SelectedViewRows(view);
  if (!rows.empty()) {
    // The header stands for the grid's heading row 0.
    source.SelectionTop = rows.front() + 1;
    source.SelectionBottom = rows.back() + 1;
  }
  return source;
}

std::function<bool(TFormExport&)> TTableExport::RunDialog = [](TFormExport& dialog) {
  return dialog.exec() == QDialog::Accepted;
};

std::function<QString(QWidget*, const QString&)> TTableExport::ChooseFile =
    [](QWidget* parent, const QString& suggested) {
      QString path = QFileDialog::getSaveFileName(parent, QTr("Экспорт в Microsoft Excel"),
                                                  suggested, QTr("Книги Microsoft Excel (*.xlsx)"));
      if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ".xlsx";
      return path;
    };

bool TTableExport::Execute(TAppSession& session, QWidget* parent, const TExportSource& source,
                           const QString& title) {
  TFormExport dialog(session, source, session.PrepareExport(source, S(title), S(title)), parent);
  if (!RunDialog(dialog)) return false;
  const TExportParams params = dialog.Params();
  QString name = Q(CleanSheetName(params.Title));
  if (name.isEmpty()) name = "export";
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString path = ChooseFile(parent, folder + "/" + name + ".xlsx");
  if (path.isEmpty()) {
    session.RememberExportParams(source, params);
    return false;
  }
  if (!session.ExportTable(source, params, S(path))) return false;
  // The workbook is there all the same: without a program for it, say where.
  OpenOnDesktop(session.Hooks(), QUrl::fromLocalFile(path),
                Format(Tr("Отчет сохранен в файле \"%s\"."), {S(path)}));
  return true;
}

QAction* AddTableExportAction(TActionList& actions, TAppSession& session, QWidget* page,
                              const QString& name, const QString& caption,
                              std::function<TExportSource()> source, const QString& title,
                              std::function<bool()> enabled) {
  return actions.Add(
      name, caption, caption,
      [&session, page, source, title] { TTableExport::Execute(session, page, source(), title); },
      std::move(enabled));
}

}  // namespace vetrilo

// Finding a picture among the loaded fullflash's pictures: the Tools entry
// and a picture dropped with Ctrl, both selecting the rows that show it.

#include <QItemSelection>
#include <QTableView>

#include "app/form1.h"
#include "app/picture_list_model.h"
#include "commands/find_commands.h"

void Form1::mnu_Tools_FindPicture_Click() {
    const std::vector<std::size_t> rows = ::mnu_Tools_FindPicture_Click(m_ws, *m_ui);
    refreshFromWorkspace();
    selectFoundRows(rows);
}

void Form1::findDroppedPicture(const std::string& path) {
    const std::vector<std::size_t> rows = FindPictureRows(m_ws, *m_ui, path);
    refreshFromWorkspace();
    selectFoundRows(rows);
}

void Form1::selectFoundRows(const std::vector<std::size_t>& rows) {
    if (rows.empty()) return;
    // The first is the current row (the one shown); the others are selected
    // beside it until the user picks a row.
    QItemSelection found;
    for (const std::size_t row : rows) {
        const QModelIndex index = m_model->index(static_cast<int>(row), 0);
        found.select(index, index);
    }
    m_list->selectionModel()->select(
        found, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->scrollTo(m_model->index(static_cast<int>(rows.front()), 0));
}

#pragma once
// The picture list as a table model over the Workspace rows: the view asks only
// for the rows it shows, so 2501 rows cost no widgets.

#include <QAbstractTableModel>
#include <QStringList>

#include <cstdint>

class ThumbnailLoader;
class Workspace;

class PictureListModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    /// Roles the thumbnail grid reads from column 0.
    enum Role { ThumbnailRole = Qt::UserRole + 1, StagedRole, DifferenceRole };

    explicit PictureListModel(const Workspace& ws, QObject* parent = nullptr)
        : QAbstractTableModel(parent), m_ws(ws) {}

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    /// Takes the Workspace rows as they are now: a new list is reset, marks
    /// and texts of the same list are repainted.
    void sync();
    /// Takes the column headers' captions and tips as they are now; true when
    /// they changed (a language file was loaded). The headers keep these
    /// texts, so a header repainted while the window closes needs no Workspace.
    bool syncHeaders();

    /// Where ThumbnailRole comes from; without one the role is empty.
    void setThumbnails(ThumbnailLoader* loader);

  private:
    const Workspace& m_ws;
    ThumbnailLoader* m_thumbnails = nullptr;
    std::uint64_t m_shownRevision = 0;
    int m_shownCount = 0;
    int m_shownColumns = 7;  ///< an eighth says how a row differs while comparing
    QStringList m_headers;
    QStringList m_headerTips;  ///< empty for columns without a tip
};

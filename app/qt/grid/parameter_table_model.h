#pragma once
// The cells of the parameter grid: the five columns of a parameter document, or
// the value columns of a comparison, over the document the view shows.

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <functional>
#include <vector>

#include "document_table.h"

namespace telvor {

inline constexpr int kDescriptionColumn = 0;
inline constexpr int kCodeColumn = 1;
inline constexpr int kRangeColumn = 2;
inline constexpr int kDefaultColumn = 3;
inline constexpr int kSettingColumn = 4;

class ParameterTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // onlineEditLinked tells whether online edit is on and a station is linked (b95 editing).
    ParameterTableModel(std::function<bool()> onlineEditLinked, QObject* parent = nullptr);

    // Shows the document (nullptr shows nothing); the model does not own it.
    void SetDocument(CSolvaneDoc* doc);
    CSolvaneDoc* Document() const { return doc_; }
    // Only these parameters, in this order, as rows (the definite-parameter grid).
    void ShowOnly(std::vector<int> codeIndexes);
    // Only the parameters that count as changed (RowFilter::ChangedOnly); the rows
    // are taken again from the document with each SetDocument and Refilter.
    void SetRowFilter(RowFilter filter);
    RowFilter Filter() const { return filter_; }
    void Refilter();
    // The Default and Setting texts again from the document.
    void Refresh();
    void RefreshRow(int row);

    // The parameter a row shows; kNoParameter outside the rows.
    int CodeIndexOfRow(int row) const;
    int RowOfCodeIndex(int codeIndex) const;
    bool IsSettingCell(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static QFont BodyFont();
    static QFont HeaderFont();
    // The tint of Setting cells that cannot be edited; every other cell shows the grid's background.
    static QColor ReadOnlySettingBackground();

private:
    void BuildLayout();

    std::function<bool()> onlineEditLinked_;
    CSolvaneDoc* doc_ = nullptr;
    RowFilter filter_ = RowFilter::All;
    std::vector<int> rows_;  // code index of each row
    std::vector<TableColumn> columns_;
};

}  // namespace telvor

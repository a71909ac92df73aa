#include "parameter_table_model.h"

#include <QColor>

#include "setting_edit.h"

namespace telvor {
namespace {

// DejaVu Sans Mono stands in for "Courier New"; any fixed-pitch family will do.
QFont FixedFont(int pixelSize, int weight) {
    QFont font("DejaVu Sans Mono");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ParameterTableModel::ParameterTableModel(std::function<bool()> onlineEditLinked, QObject* parent)
    : QAbstractTableModel(parent), onlineEditLinked_(std::move(onlineEditLinked)) {}

QFont ParameterTableModel::BodyFont() { return FixedFont(16, QFont::Normal); }
QFont ParameterTableModel::HeaderFont() { return FixedFont(18, QFont::Black); }
QColor ParameterTableModel::ReadOnlySettingBackground() { return QColor(232, 232, 232); }

void ParameterTableModel::SetDocument(CSolvaneDoc* doc) {
    beginResetModel();
    doc_ = doc;
    BuildLayout();
    endResetModel();
}

void ParameterTableModel::BuildLayout() {
    rows_.clear();
    columns_.clear();
    if (!doc_) return;
    columns_ = DocumentColumns(*doc_);
    rows_ = ShownCodeIndexes(*doc_, filter_);
}

void ParameterTableModel::SetRowFilter(RowFilter filter) {
    filter_ = filter;
    Refilter();
}

void ParameterTableModel::Refilter() {
    beginResetModel();
    BuildLayout();
    endResetModel();
}

void ParameterTableModel::ShowOnly(std::vector<int> codeIndexes) {
    beginResetModel();
    rows_ = std::move(codeIndexes);
    endResetModel();
}

void ParameterTableModel::Refresh() {
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ParameterTableModel::RefreshRow(int row) {
    if (row >= 0 && row < rowCount()) emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int ParameterTableModel::CodeIndexOfRow(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row] : kNoParameter;
}

int ParameterTableModel::RowOfCodeIndex(int codeIndex) const {
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row)
        if (rows_[row] == codeIndex) return row;
    return -1;
}

bool ParameterTableModel::IsSettingCell(const QModelIndex& index) const {
    return index.isValid() && index.column() < columnCount() && columns_[index.column()].cell == TableCell::Setting;
}

int ParameterTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ParameterTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ParameterTableModel::data(const QModelIndex& index, int role) const {
    if (!doc_ || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const TableCell cell = columns_[index.column()].cell;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return Text(TableCellText(*doc_, rows_[index.row()], cell));
        case Qt::ForegroundRole:
            if (cell == TableCell::DefaultText || cell == TableCell::DefaultValue) return QColor(255, 0, 0);
            if (cell == TableCell::Setting) return QColor(0, 0, 255);
            return {};
        case Qt::BackgroundRole:
            // A Setting cell that cannot be changed shows it at once.
            if (cell == TableCell::Setting && !(flags(index) & Qt::ItemIsEditable)) return ReadOnlySettingBackground();
            return {};
        case Qt::TextAlignmentRole: return int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::FontRole: return BodyFont();
        default: return {};
    }
}

QVariant ParameterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    switch (role) {
        case Qt::DisplayRole: return Text(columns_[section].caption);
        case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
        case Qt::FontRole: return HeaderFont();
        case Qt::BackgroundRole: return QColor(250, 251, 210);
        default: return {};
    }
}

Qt::ItemFlags ParameterTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (doc_ && !IsComparison(*doc_) && IsSettingCell(index) &&
        CanEditSetting(rows_[index.row()], onlineEditLinked_ && onlineEditLinked_()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

}  // namespace telvor

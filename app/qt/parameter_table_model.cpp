#include "parameter_table_model.h"

#include <QColor>

#include "setting_edit.h"
#include "value_format.h"

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
    const auto setName = [this](int set) {
        return doc_->presentFlags[set] ? Text(doc_->setNames[set]) : QString("------");
    };
    switch (doc_->compareMode) {
        case CompareInverterDefault:
            columns_ = {{"Description", Cell::Description}, {"Code", Cell::Code},
                        {"Default", Cell::DefaultValue}, {setName(0), Cell::Set1}};
            break;
        case CompareFileFile:
            columns_ = {{"Description", Cell::Description}, {"Code", Cell::Code},
                        {setName(0), Cell::Set1}, {setName(1), Cell::Set2}};
            break;
        case CompareFilesDefault:
            columns_ = {{"Description", Cell::Description}, {"Code", Cell::Code}, {"Default", Cell::DefaultValue},
                        {setName(0), Cell::Set1}, {setName(1), Cell::Set2}, {setName(2), Cell::Set3}};
            break;
        default:
            columns_ = {{"Description", Cell::Description}, {"Code", Cell::Code}, {"Range", Cell::Range},
                        {"Default", Cell::DefaultText}, {"Setting", Cell::Setting}};
            break;
    }
    for (int slot = 0; slot < kParameterCount; ++slot)
        if (!IsComparison(*doc_) || doc_->rowFlags[slot] == 1) rows_.push_back(CodeIndexOfSlot(slot));
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
    return index.isValid() && index.column() < columnCount() && columns_[index.column()].cell == Cell::Setting;
}

int ParameterTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ParameterTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString ParameterTableModel::CellText(int codeIndex, Cell cell) const {
    const int slot = SlotOfCodeIndex(codeIndex);
    const int format = ValueFormatOf(codeIndex);
    const auto value = [&](int set) {
        return doc_->presentFlags[set] ? Text(FormatRawValue(format, doc_->sets[set][slot])) : QString();
    };
    switch (cell) {
        case Cell::Description: return Text(DescriptionText(codeIndex));
        case Cell::Code: return Text(CodeText(codeIndex));
        case Cell::Range: return Text(RangeText(codeIndex));
        case Cell::DefaultText: return Text(DefaultText(codeIndex, doc_->modelIndex));
        case Cell::Setting: return Text(SettingCellText(*doc_, codeIndex));
        case Cell::DefaultValue: return Text(FormatRawValue(format, DefaultRaw(codeIndex, doc_->modelIndex, Is50Hz(*doc_))));
        case Cell::Set1: return value(0);
        case Cell::Set2: return value(1);
        case Cell::Set3: return value(2);
    }
    return {};
}

QVariant ParameterTableModel::data(const QModelIndex& index, int role) const {
    if (!doc_ || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const Cell cell = columns_[index.column()].cell;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return CellText(rows_[index.row()], cell);
        case Qt::ForegroundRole:
            if (cell == Cell::DefaultText || cell == Cell::DefaultValue) return QColor(255, 0, 0);
            if (cell == Cell::Setting) return QColor(0, 0, 255);
            return {};
        case Qt::BackgroundRole:
            // A Setting cell that cannot be changed shows it at once.
            if (cell == Cell::Setting && !(flags(index) & Qt::ItemIsEditable)) return ReadOnlySettingBackground();
            return QColor(Qt::white);
        case Qt::TextAlignmentRole: return int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::FontRole: return BodyFont();
        default: return {};
    }
}

QVariant ParameterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    switch (role) {
        case Qt::DisplayRole: return columns_[section].header;
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

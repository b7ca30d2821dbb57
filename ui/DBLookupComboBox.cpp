#include "ui/DBLookupComboBox.h"

#include "ui/DataSetTableModel.h"
#include "ui/FieldDataLink.h"
#include "ui/ShowingErrors.h"

#include <QHelpEvent>
#include <QListView>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>

namespace {

const int MinimumContentsLength = 20;

// Keys come from integer columns as int or qlonglong, and from a caller as
// either; their text is the same.
QString keyText(const QVariant& key) {
    return key.toString();
}

// The list lays every row out as wide as the first row's text; a row is drawn
// within the visible width, so that a line longer than that is cut at its end
// rather than clipped by the edge.
class TWithinView : public QStyledItemDelegate {
public:
    explicit TWithinView(QAbstractItemView* view) : QStyledItemDelegate(view), FView(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem visible = option;
        visible.rect.setRight(std::min(option.rect.right(), FView->viewport()->width() - 1));
        QStyledItemDelegate::paint(painter, visible, index);
    }

private:
    QAbstractItemView* FView;
};

} // namespace

TDBLookupComboBox::TDBLookupComboBox(QWidget* parent)
    : QComboBox(parent), FLink(new TFieldDataLink(this)), FList(new TDataSetTableModel(this)) {
    setModel(FList);
    setModelColumn(0);
    // Lists of a hundred thousand clients: the box is not measured over all its
    // items, the list drops down below the box, and every row is taken to be as
    // high as the first. The widest item is measured once per change of the
    // list, when the list is first dropped down.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setMinimumContentsLength(MinimumContentsLength);
    if (auto* list = qobject_cast<QListView*>(view())) {
        list->setUniformItemSizes(true);
    }
    // Lines that share their beginning ("Рейс №12 | ...") differ at the end, so
    // a line is never cut in its middle; scrolling by pixels lets the list end
    // at its last row instead of at a row boundary with empty space below.
    view()->setTextElideMode(Qt::ElideRight);
    setItemDelegate(new TWithinView(view()));
    view()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view()->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view()->viewport()->installEventFilter(this);
    connect(FLink, &TFieldDataLink::dataChanged, this, showingErrors(this, &TDBLookupComboBox::showKey));
    // Connected after the combo box's own handling, which picks the first row.
    connect(FList, &QAbstractItemModel::modelReset, this, showingErrors([this] {
                FRowsIndexed = false;
                FLongestItem = -1;
                showKey();
            }));
    connect(this, &QComboBox::activated, this, showingErrors(this, &TDBLookupComboBox::chosen));
    showKey();
}

TDataSource* TDBLookupComboBox::DataSource() const {
    return FLink->DataSource();
}

void TDBLookupComboBox::SetDataSource(TDataSource* dataSource) {
    FLink->SetDataSource(dataSource);
}

QString TDBLookupComboBox::DataField() const {
    return FLink->FieldName();
}

void TDBLookupComboBox::SetDataField(const QString& fieldName) {
    FLink->SetFieldName(fieldName);
}

TDataSource* TDBLookupComboBox::ListSource() const {
    return FList->DataSource();
}

void TDBLookupComboBox::SetListSource(TDataSource* listSource) {
    FList->SetDataSource(listSource);
}

void TDBLookupComboBox::SetKeyField(const QString& fieldName) {
    FKeyField = fieldName;
    FRowsIndexed = false;
    showKey();
}

QString TDBLookupComboBox::ListField() const {
    return FList->Columns().empty() ? QString() : FList->Columns().front().FieldName;
}

void TDBLookupComboBox::SetListField(const QString& fieldName) {
    TGridColumn column;
    column.FieldName = fieldName;
    FList->SetColumns({column});
}

bool TDBLookupComboBox::isBound() const {
    return FLink->DataSource() != nullptr;
}

QVariant TDBLookupComboBox::KeyValue() const {
    if (!isBound()) {
        return FKeyValue;
    }
    const TField* field = FLink->Field();
    return field && !field->IsNull() ? field->Value() : QVariant();
}

void TDBLookupComboBox::SetKeyValue(const QVariant& key) {
    if (isBound()) {
        FLink->WriteValue(key);
    } else {
        FKeyValue = key;
    }
    showKey();
}

void TDBLookupComboBox::showKey() {
    setCurrentIndex(rowOfKey(KeyValue()));
    showWholeTextAsTip();
}

// A bound box looks its key up at every move of the record it follows, also
// while its window is hidden and a report walks a million sales; so the rows
// are indexed by key once per change of the list. Keys are compared by their
// text, as a caller may give a whole-number key as either kind of integer or as
// text; a whole-number key column is indexed by the numbers themselves, since
// making a text of each of a hundred thousand client keys is most of the cost.
int TDBLookupComboBox::rowOfKey(const QVariant& key) const {
    if (key.isNull() || !key.isValid()) {
        return -1;
    }
    if (!FRowsIndexed) {
        indexRows();
    }
    const QString text = keyText(key);
    if (!FKeysAreNumbers) {
        return FRowOfText.value(text, -1);
    }
    bool isNumber = false;
    const qint64 number = text.toLongLong(&isNumber);
    return isNumber && QString::number(number) == text ? FRowOfNumber.value(number, -1) : -1;
}

void TDBLookupComboBox::indexRows() const {
    FRowOfText.clear();
    FRowOfNumber.clear();
    FRowsIndexed = true;
    const TField* field = keyField();
    if (!field) {
        return;
    }
    FKeysAreNumbers = field->DataType() == TFieldType::AutoInc || field->DataType() == TFieldType::Integer;
    const TDataSet* dataSet = FList->DataSet();
    if (FKeysAreNumbers) {
        FRowOfNumber.reserve(FList->rowCount());
    }
    for (int row = FList->rowCount() - 1; row >= 0; --row) {
        const QVariant key = dataSet->valueAt(row, field);
        if (key.isNull()) {
            continue;
        }
        // Going up, so the first row wins.
        if (FKeysAreNumbers) {
            FRowOfNumber.insert(key.toLongLong(), row);
        } else {
            FRowOfText.insert(keyText(key), row);
        }
    }
}

const TField* TDBLookupComboBox::keyField() const {
    const TDataSet* dataSet = FList->DataSet();
    return dataSet && dataSet->Active() ? dataSet->FindField(FKeyField) : nullptr;
}

QVariant TDBLookupComboBox::keyAt(int row) const {
    const TField* field = keyField();
    return field ? FList->DataSet()->valueAt(row, field) : QVariant();
}

void TDBLookupComboBox::chosen(int row) {
    const QVariant key = keyAt(row);
    if (!isBound()) {
        FKeyValue = key;
    } else if (!FLink->WriteValue(key)) {
        showKey();
        return;
    }
    emit KeyValueChanged();
}

QRect TDBLookupComboBox::textRect() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
}

QString TDBLookupComboBox::ShownText() const {
    // The label is drawn a pixel in from each side of the text area.
    return fontMetrics().elidedText(currentText(), Qt::ElideRight, textRect().width() - 2);
}

void TDBLookupComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    option.currentText = ShownText();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void TDBLookupComboBox::resizeEvent(QResizeEvent* event) {
    QComboBox::resizeEvent(event);
    showWholeTextAsTip();
}

void TDBLookupComboBox::showWholeTextAsTip() {
    setToolTip(ShownText() == currentText() ? QString() : currentText());
}

QString TDBLookupComboBox::ItemTip(int row) const {
    const QModelIndex index = FList->index(row, 0);
    const int shown = std::min(view()->visualRect(index).width(), view()->viewport()->width());
    const bool cut = view()->sizeHintForIndex(index).width() > shown;
    return cut ? index.data().toString() : QString();
}

bool TDBLookupComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view()->viewport() || event->type() != QEvent::ToolTip) {
        return QComboBox::eventFilter(watched, event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = view()->indexAt(help->pos());
    const QString tip = index.isValid() ? ItemTip(index.row()) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(help->globalPos(), tip, view()->viewport(), view()->visualRect(index));
    }
    return true;
}

int TDBLookupComboBox::longestItemWidth() const {
    if (FLongestItem < 0 || FMeasuredFont != view()->font()) {
        FMeasuredFont = view()->font();
        const QFontMetrics metrics = view()->fontMetrics();
        int widest = 0;
        for (int row = 0; row < FList->rowCount(); ++row) {
            widest = std::max(widest, metrics.horizontalAdvance(FList->index(row, 0).data().toString()));
        }
        FLongestItem = widest;
    }
    return FLongestItem;
}

void TDBLookupComboBox::showPopup() {
    QComboBox::showPopup();
    // The list drops down below the box, not over it: with more rows than it
    // shows, its scroll bar tells so, whatever the style would do for a list
    // over the box.
    view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    fitPopupToItems();
    scrollPopupToCurrent();
}

// As wide as the longest item and never narrower than the box, and high
// enough for every row where they are no more than the visible items; within
// the screen, moved left or up where it would leave it.
void TDBLookupComboBox::fitPopupToItems() {
    QWidget* popup = view()->window();
    if (popup == window() || count() == 0) {
        return;
    }
    const QModelIndex first = FList->index(0, 0);
    const int itemPadding = view()->sizeHintForIndex(first).width() -
                            view()->fontMetrics().horizontalAdvance(first.data().toString());
    const QSize chrome = popup->size() - view()->viewport()->size();
    const QRect screenArea = popup->screen()->availableGeometry();
    const int width = std::min(std::max(popup->width(), longestItemWidth() + itemPadding + chrome.width()),
                               screenArea.width());
    const int rows = std::min(count(), maxVisibleItems());
    const int height = std::min(std::max(popup->height(), rows * view()->sizeHintForRow(0) + chrome.height()),
                                screenArea.height());
    const int left = std::clamp(popup->x(), screenArea.left(), screenArea.right() + 1 - width);
    const int top = std::clamp(popup->y(), screenArea.top(), screenArea.bottom() + 1 - height);
    popup->setGeometry(left, top, width, height);
}

void TDBLookupComboBox::scrollPopupToCurrent() {
    view()->scrollTo(view()->currentIndex(), QAbstractItemView::EnsureVisible);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window for a screen reader. The machine picture is an
// accessible table. The table reads the picture's
// words afresh on every question, so it never shows a stale row. Its
// children are the column headers, then the cells row by row, then the
// notification, then the controls that lie on the picture: a screen reader
// on Linux finds a cell's row and column from its place among the table's
// children.
#include "exercise/exercise_accessible.h"

#include "exercise/machine_picture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QToolButton>
#include <QWindow>
#include <map>
#include <tuple>

namespace {

using KolvErkl::PictureWords;

class PictureTable;

// The largest table the picture makes: six rows of the experiment, five
// columns of the check's results.
constexpr int MaxRows = 6;
constexpr int MaxColumns = 5;

// A cell, a column header or the notification: a part of the table without
// a widget of its own.
class PicturePart : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    enum Kind { Header, Cell, Notification };
    PicturePart(PictureTable* table, Kind kind, int row, int column)
        : table_(table), kind_(kind), row_(row), column_(column) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface && kind_ != Notification)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return kind_ == Cell ? row_ : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    PictureTable* table_;
    Kind kind_;
    int row_;
    int column_;
};

class PictureTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit PictureTable(TPaintBox* box) : QAccessibleWidget(box, QAccessible::Table) {}
    ~PictureTable() override {
        for (const auto& [key, id] : parts_)
            QAccessible::deleteAccessibleInterface(id);
    }

    TPaintBox* Box() const { return static_cast<TPaintBox*>(widget()); }
    // The controls that lie on the picture (the check's button), after the
    // notification: a screen reader finds them only among the children.
    QList<QWidget*> Controls() const {
        return Box()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    }
    PictureWords Words() const { return Box()->OnDescribe ? Box()->OnDescribe() : PictureWords{}; }

    // The part at a place, made on first use and kept while the table lives.
    QAccessibleInterface* Part(PicturePart::Kind kind, int row, int column) const {
        const auto key = std::make_tuple(kind, row, column);
        const auto found = parts_.find(key);
        if (found != parts_.end())
            return QAccessible::accessibleInterface(found->second);
        auto* part = new PicturePart(const_cast<PictureTable*>(this), kind, row, column);
        parts_[key] = QAccessible::registerAccessibleInterface(part);
        return part;
    }
    QAccessibleInterface* NotificationPart() const { return Part(PicturePart::Notification, 0, 0); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return KolvErkl::PictureName;
        return QAccessibleWidget::text(t);
    }

    int childCount() const override {
        const PictureWords words = Words();
        const int columns = static_cast<int>(words.Headers.size());
        return columns + static_cast<int>(words.Rows.size()) * columns + 1 +
               static_cast<int>(Controls().size());
    }
    QAccessibleInterface* child(int index) const override {
        const PictureWords words = Words();
        const int columns = static_cast<int>(words.Headers.size());
        const int cells = static_cast<int>(words.Rows.size()) * columns;
        if (index < 0)
            return nullptr;
        if (index < columns)
            return Part(PicturePart::Header, 0, index);
        if (index < columns + cells)
            return Part(PicturePart::Cell, (index - columns) / columns,
                        (index - columns) % columns);
        if (index == columns + cells)
            return NotificationPart();
        const QList<QWidget*> controls = Controls();
        const int control = index - columns - cells - 1;
        return control < controls.size() ? QAccessible::queryAccessibleInterface(controls[control])
                                         : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const int count = childCount();
        for (int i = 0; i < count; ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const PictureWords words = Words();
        const QPoint at = Box()->mapFromGlobal(QPoint(x, y));
        for (std::size_t i = 0; i < words.Rows.size(); ++i)
            for (std::size_t j = 0; j < words.Rows[i].size(); ++j)
                if (words.Rows[i][j].Field.contains(at))
                    return cellAt(static_cast<int>(i), static_cast<int>(j));
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const PictureWords words = Words();
        if (!Box()->hasFocus() || words.CurrentRow < 0 || words.CurrentColumn < 0)
            return nullptr;
        return cellAt(words.CurrentRow, words.CurrentColumn);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    // A place outside the table as it is now, but inside the largest one,
    // still has its cell, which is not valid: a reader that asks about a row
    // the table had a moment ago gets an answer rather than nothing.
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= MaxRows || column < 0 || column >= MaxColumns)
            return nullptr;
        return Part(PicturePart::Cell, row, column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        const QStringList headers = Words().Headers;
        return column >= 0 && column < headers.size() ? headers[column] : QString();
    }
    QString rowDescription(int row) const override {
        return row >= 0 && row < rowCount() ? QStringLiteral("Række %1").arg(row + 1) : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return static_cast<int>(Words().Headers.size()); }
    int rowCount() const override { return static_cast<int>(Words().Rows.size()); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // The cells read the picture's words when asked: nothing to renew here.
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // The words that were last told, to find the cells that changed since.
    PictureWords Told;

private:
    mutable std::map<std::tuple<int, int, int>, QAccessible::Id> parts_;
};

bool PicturePart::isValid() const {
    if (!table_->isValid())
        return false;
    const PictureWords words = table_->Words();
    const int columns = static_cast<int>(words.Headers.size());
    switch (kind_) {
    case Header:
        return column_ < columns;
    case Cell:
        return row_ < static_cast<int>(words.Rows.size()) && column_ < columns;
    case Notification:
        return true;
    }
    return false;
}

QWindow* PicturePart::window() const {
    return table_->window();
}

QAccessibleInterface* PicturePart::parent() const {
    return table_;
}

QString PicturePart::text(QAccessible::Text t) const {
    if (t != QAccessible::Name && t != QAccessible::Value)
        return {};
    if (kind_ == Notification)
        return table_->Box()->Announcement();
    const PictureWords words = table_->Words();
    if (kind_ == Header)
        return column_ < words.Headers.size() ? words.Headers[column_] : QString();
    if (row_ >= static_cast<int>(words.Rows.size()) ||
        column_ >= static_cast<int>(words.Rows[row_].size()))
        return {};
    return words.Rows[row_][column_].Text;
}

QRect PicturePart::rect() const {
    if (kind_ != Cell)
        return {};
    const PictureWords words = table_->Words();
    if (row_ >= static_cast<int>(words.Rows.size()) ||
        column_ >= static_cast<int>(words.Rows[row_].size()))
        return {};
    const QRect field = words.Rows[row_][column_].Field;
    return QRect(table_->Box()->mapToGlobal(field.topLeft()), field.size());
}

QAccessible::Role PicturePart::role() const {
    switch (kind_) {
    case Header:
        return QAccessible::ColumnHeader;
    case Cell:
        return QAccessible::Cell;
    case Notification:
        return QAccessible::Notification;
    }
    return QAccessible::NoRole;
}

QAccessible::State PicturePart::state() const {
    QAccessible::State state;
    if (kind_ != Cell)
        return state;
    const PictureWords words = table_->Words();
    const bool current = words.CurrentRow == row_ && words.CurrentColumn == column_;
    state.focusable = current;
    state.focused = current && table_->Box()->hasFocus();
    state.readOnly = true;
    return state;
}

QList<QAccessibleInterface*> PicturePart::columnHeaderCells() const {
    if (kind_ != Cell)
        return {};
    return {table_->Part(Header, 0, column_)};
}

QAccessibleInterface* PicturePart::table() const {
    return table_;
}

// A speed button. Its press by a screen reader clicks it once the reader has
// had its answer: a click that opens a dialog runs until the dialog closes,
// and the reader would wait for it all that time.
class SpeedButton : public QAccessibleWidget {
public:
    explicit SpeedButton(QToolButton* button) : QAccessibleWidget(button, QAccessible::Button) {}
    QToolButton* Button() const { return static_cast<QToolButton*>(widget()); }

    QString text(QAccessible::Text t) const override {
        const QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            return Button()->text();
        return text;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && Button()->isEnabled())
            QMetaObject::invokeMethod(Button(), &QToolButton::click, Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* exerciseFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("TPaintBox"))
        return new PictureTable(static_cast<TPaintBox*>(object));
    if (className == QLatin1String("QToolButton"))
        return new SpeedButton(static_cast<QToolButton*>(object));
    return nullptr;
}

PictureTable* tableOf(TPaintBox* box) {
    return dynamic_cast<PictureTable*>(QAccessible::queryAccessibleInterface(box));
}

void tell(QAccessibleInterface* part, QAccessible::Event type) {
    QAccessibleEvent event(part, type);
    QAccessible::updateAccessibility(&event);
}

} // namespace

namespace KolvErkl {

void InstallExerciseAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(exerciseFactory);
        return true;
    }();
    (void)installed;
}

} // namespace KolvErkl

void TPaintBox::TellCursor() {
    PictureTable* table = tableOf(this);
    if (!table || !hasFocus())
        return;
    if (QAccessibleInterface* cell = table->focusChild())
        tell(cell, QAccessible::Focus);
}

void TPaintBox::TellChanges(const QString& announcement) {
    if (!announcement.isEmpty())
        announcement_ = announcement;
    PictureTable* table = tableOf(this);
    if (!table)
        return;
    // The fields whose words changed are told silently, so that no copy of
    // their old words stays in use; then the announcement is spoken once.
    const PictureWords now = table->Words();
    const PictureWords& before = table->Told;
    if (now.Headers != before.Headers || now.Rows.size() != before.Rows.size()) {
        QAccessibleTableModelChangeEvent reset(table, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
    }
    for (std::size_t i = 0; i < now.Rows.size(); ++i)
        for (std::size_t j = 0; j < now.Rows[i].size(); ++j)
            if (i >= before.Rows.size() || j >= before.Rows[i].size() ||
                before.Rows[i][j].Text != now.Rows[i][j].Text)
                tell(table->cellAt(static_cast<int>(i), static_cast<int>(j)),
                     QAccessible::NameChanged);
    table->Told = now;
    if (announcement.isEmpty())
        return;
    QAccessibleInterface* notification = table->NotificationPart();
    tell(notification, QAccessible::NameChanged);
    tell(notification, QAccessible::ObjectShow);
}

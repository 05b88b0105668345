#include "accessibility.h"

#include "celllabel.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace {

class CellAccessible final : public QAccessibleWidget {
public:
    explicit CellAccessible(CellLabel* cell)
        : QAccessibleWidget(cell, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text which) const override
    {
        if (which == QAccessible::Value)
            return cell()->text();
        return QAccessibleWidget::text(which);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            emit cell()->clicked();
    }

private:
    CellLabel* cell() const { return static_cast<CellLabel*>(widget()); }
};

// The box's text, read through the text interface; nothing can change it.
class ReadOnlyBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyBoxAccessible(QLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.editable = false;
        state.selectableText = true;
        return state;
    }
    QString text(QAccessible::Text which) const override
    {
        return which == QAccessible::Value ? box()->text() : QAccessibleWidget::text(which);
    }

    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override { return box()->text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics = box()->fontMetrics();
        const QString text = box()->text();
        const QRect contents = box()->contentsRect();
        const int left = contents.left() + metrics.horizontalAdvance(text.left(offset));
        const int width = offset < text.size() ? metrics.horizontalAdvance(text.at(offset)) : 0;
        const QPoint global = box()->mapToGlobal(QPoint(left, contents.top()));
        return QRect(global, QSize(width, contents.height()));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("CellLabel"))
        return new CellAccessible(static_cast<CellLabel*>(object));
    if (className == QLatin1String("QLineEdit") && static_cast<QLineEdit*>(object)->isReadOnly())
        return new ReadOnlyBoxAccessible(static_cast<QLineEdit*>(object));
    return nullptr;
}

} // namespace

void Accessibility::install() { QAccessible::installFactory(&factory); }

#include "boxaccessible.h"

#include "addressbox.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace {

// The box's text, read through the text interface; nothing can change it.
class BoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit BoxAccessible(AddressBox* box)
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

    // One selection at most. A request for another, for one that does not
    // exist, or for an empty, reversed or outlying range changes nothing,
    // and the reader's bridge tells what it sees.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = -1;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override
    {
        if (selectionCount() == 0)
            setSelection(0, start, end);
    }
    void removeSelection(int index) override
    {
        if (index == 0)
            box()->deselect();
    }
    // Index 0 also when nothing is selected: adding goes this way.
    void setSelection(int index, int start, int end) override
    {
        if (index == 0 && start >= 0 && start < end && end <= characterCount())
            box()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override
    {
        if (position >= 0 && position <= characterCount())
            box()->setCursorPosition(position);
    }
    QString text(int start, int end) const override
    {
        if (start < 0 || start > end || end > characterCount())
            return {};
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    // Nothing, at -1, -1 on screen, for an offset outside the text; at its
    // end, where the caret stands, no width. A negative offset is turned
    // away first: the bridge asks for every offset of a range in turn.
    QRect characterRect(int offset) const override
    {
        if (offset < 0 || offset > characterCount())
            return QRect(-1, -1, 0, 0);
        const QFontMetrics metrics = box()->fontMetrics();
        const QString text = box()->text();
        const QRect contents = box()->contentsRect();
        const int left = contents.left() + metrics.horizontalAdvance(text.left(offset));
        const int width = offset < text.size() ? metrics.horizontalAdvance(text.at(offset)) : 0;
        const QPoint global = box()->mapToGlobal(QPoint(left, contents.top()));
        return QRect(global, QSize(width, contents.height()));
    }
    // -1 outside the box. The point is compared before any sum, which
    // could overflow for a point far away.
    int offsetAtPoint(const QPoint& point) const override
    {
        if (!QRect(box()->mapToGlobal(QPoint(0, 0)), box()->size()).contains(point))
            return -1;
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    // One run over the whole text: a reader that walks runs gets all of it.
    QString attributes(int offset, int* start, int* end) const override
    {
        const int length = characterCount();
        const bool inside = offset >= 0 && offset <= length;
        *start = inside ? 0 : -1;
        *end = inside ? length : -1;
        return {};
    }
    // Answered here rather than by Qt's boundary finder, which never returns
    // for a word or sentence at the end of the text.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        return piece(offset, type, 0, start, end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        return piece(offset, type, -1, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        return piece(offset, type, 1, start, end);
    }

private:
    AddressBox* box() const { return static_cast<AddressBox*>(widget()); }

    // The piece of text at offset (step 0), or the one before or after it.
    // Offset -1 stands for the end; one out of range gets nothing at -1.
    QString piece(int offset, QAccessible::TextBoundaryType type, int step, int* start, int* end) const
    {
        const QString text = box()->text();
        const QVector<QPair<int, int>> pieces = split(text, type);
        const int length = static_cast<int>(text.size());
        if (offset == -1)
            offset = length;
        *start = *end = -1;
        if (offset < 0 || offset > length)
            return {};
        // At the end a caret stands on the last line, sentence and word, but
        // on no character.
        int at = static_cast<int>(pieces.size()) - (type == QAccessible::CharBoundary ? 0 : 1);
        if (offset < length)
            at = static_cast<int>(std::find_if(pieces.begin(), pieces.end(), [offset](const auto& p) {
                     return offset < p.second;
                 }) - pieces.begin());
        const int wanted = at + step;
        if (wanted < 0 || wanted >= pieces.size()) {
            *start = *end = std::clamp(offset, 0, length);
            return {};
        }
        *start = pieces[wanted].first;
        *end = pieces[wanted].second;
        return text.mid(*start, *end - *start);
    }

    // Characters one by one; words as a run of non-space with the spaces
    // after it; sentences, lines and paragraphs as the whole single line.
    static QVector<QPair<int, int>> split(const QString& text, QAccessible::TextBoundaryType type)
    {
        const int length = static_cast<int>(text.size());
        QVector<QPair<int, int>> pieces;
        if (type == QAccessible::CharBoundary) {
            for (int i = 0; i < length; ++i)
                pieces.append({i, i + 1});
        } else if (type == QAccessible::WordBoundary) {
            for (int i = 0; i < length;) {
                const int first = i;
                while (i < length && !text.at(i).isSpace())
                    ++i;
                while (i < length && text.at(i).isSpace())
                    ++i;
                pieces.append({first, i});
            }
        } else if (length > 0) {
            pieces.append({0, length});
        }
        return pieces;
    }
};

} // namespace

QAccessibleInterface* newBoxAccessible(AddressBox* box) { return new BoxAccessible(box); }

// The toolkit's floor for start-up: a Qt window of the tool's size, built and
// started the same way, that paints one line and no text, so that its first
// frame can be told from a blank window without loading any font.
#include "noargsapplication.h"

#include <QPainter>
#include <QWidget>

namespace {

class BareWindow final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawLine(0, height() / 2, width(), height() / 2);
    }
};

} // namespace

int main()
{
    static char name[] = "bare_window";
    NoArgsApplication app(name);
    BareWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(561, 211);
    window.show();
    return app.exec();
}

// The toolkit's floor for start-up: an empty Qt window of the tool's size,
// built and started the same way as the tool.
#include <QApplication>
#include <QWidget>

int main()
{
    static int argc = 1;
    static char name[] = "bare_window";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(561, 211);
    window.show();
    return app.exec();
}

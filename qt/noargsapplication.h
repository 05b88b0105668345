#pragma once

#include <QApplication>

// A QApplication that sees the program's name alone: the tool takes no
// command line, so none of Qt's own options (-style, -stylesheet, -platform,
// ...) may take effect. The toolkit's environment variables still do.
class NoArgsApplication final : public QApplication {
public:
    explicit NoArgsApplication(char* programName);

private:
    // QApplication keeps references to these for its whole life.
    static int s_argc;
    static char* s_argv[2];
};

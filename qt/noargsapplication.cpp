#include "noargsapplication.h"

int NoArgsApplication::s_argc = 1;
char* NoArgsApplication::s_argv[2] = {nullptr, nullptr};

NoArgsApplication::NoArgsApplication(char* programName)
    : QApplication((s_argv[0] = programName, s_argc = 1), s_argv)
{
}

// The smallest test harness, for programs that run without a framework
// (under Wine, or driving another process): checks count passes and
// failures, and the closing line is the verdict.
#pragma once

#include <cstdio>
#include <string>

class TestLog {
public:
    bool check(bool ok, const std::string& what)
    {
        ++(ok ? m_passed : m_failed);
        if (!ok)
            std::printf("FAIL: %s\n", what.c_str());
        return ok;
    }

    template <typename A, typename B>
    bool equal(const A& actual, const B& expected, const std::string& what)
    {
        const bool ok = actual == expected;
        if (!ok)
            std::printf("FAIL: %s\n", what.c_str());
        ++(ok ? m_passed : m_failed);
        return ok;
    }

    int finish() const
    {
        std::printf("%d passed, %d failed\n", m_passed, m_failed);
        std::fflush(stdout);
        return m_failed == 0 && m_passed > 0 ? 0 : 1;
    }

private:
    int m_passed = 0;
    int m_failed = 0;
};

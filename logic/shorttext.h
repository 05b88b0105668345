// The few texts the logic reads and writes (a cell's caption, a bit number,
// an address) are all short, so it keeps them by value in a fixed buffer:
// no heap and nothing that can throw, which lets a front end leave the
// C++ runtime's string and exception machinery out of its executable.
#pragma once

#include <cstddef>
#include <string_view>

class ShortText {
public:
    // "0x" and eight hexadecimal digits fit; a longer text keeps its start.
    static constexpr std::size_t kCapacity = 15;

    constexpr ShortText() = default;
    constexpr ShortText(std::string_view text) // NOLINT: texts convert freely
        : m_size(text.size() < kCapacity ? text.size() : kCapacity)
    {
        for (std::size_t i = 0; i < m_size; ++i)
            m_chars[i] = text[i];
    }

    constexpr std::string_view view() const { return {m_chars, m_size}; }
    constexpr operator std::string_view() const { return view(); } // NOLINT
    constexpr const char* data() const { return m_chars; }
    constexpr std::size_t size() const { return m_size; }

    friend constexpr bool operator==(const ShortText& a, std::string_view b) { return a.view() == b; }
    friend constexpr bool operator!=(const ShortText& a, std::string_view b) { return a.view() != b; }

private:
    char m_chars[kCapacity] = {};
    std::size_t m_size = 0;
};

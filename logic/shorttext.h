// The few texts the logic reads and writes (a cell's caption, a bit number,
// an address) are all short, so it keeps them by value in a fixed buffer:
// no heap and nothing that can throw, which lets a front end leave the
// C++ runtime's string and exception machinery out of its executable.
#pragma once

#include <cstddef>
#include <string_view>

template <std::size_t Capacity>
class FixedText {
public:
    static constexpr std::size_t kCapacity = Capacity;

    constexpr FixedText() = default;
    constexpr FixedText(std::string_view text) { append(text); } // NOLINT: texts convert freely

    // What does not fit is left off: the text keeps its start.
    constexpr FixedText& append(std::string_view text)
    {
        for (std::size_t i = 0; i < text.size() && m_size < kCapacity; ++i)
            m_chars[m_size++] = text[i];
        return *this;
    }

    constexpr std::string_view view() const { return {m_chars, m_size}; }
    constexpr operator std::string_view() const { return view(); } // NOLINT
    constexpr const char* data() const { return m_chars; }
    constexpr std::size_t size() const { return m_size; }

    friend constexpr bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }
    friend constexpr bool operator!=(const FixedText& a, std::string_view b) { return a.view() != b; }

private:
    char m_chars[kCapacity] = {};
    std::size_t m_size = 0;
};

// "0x" and eight hexadecimal digits fit; a longer text keeps its start.
using ShortText = FixedText<15>;

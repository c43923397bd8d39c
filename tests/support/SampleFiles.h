// SPDX-License-Identifier: MIT
// Small well-formed and hostile files of every supported format, built byte by byte. They seed
// the fuzzers, become the committed hostile fixtures, and give the save tests a document of each
// format. Nothing here calls the project's readers or writers, so the bytes stay independent of
// the code they test.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vste::samples {

using Bytes = std::vector<std::uint8_t>;

// Little-endian byte builder.
class Builder {
public:
    Builder& u8(std::uint8_t v) {
        m_out.push_back(v);
        return *this;
    }
    Builder& u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v));
        return u8(static_cast<std::uint8_t>(v >> 8));
    }
    Builder& u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v));
        return u16(static_cast<std::uint16_t>(v >> 16));
    }
    Builder& text(std::string_view s) {
        m_out.insert(m_out.end(), s.begin(), s.end());
        return *this;
    }
    // CSF values: UTF-16 code units, each inverted.
    Builder& inverted(std::u16string_view s) {
        for (char16_t c : s)
            u16(static_cast<std::uint16_t>(c ^ 0xFFFF));
        return *this;
    }
    Builder& utf16(std::u16string_view s) {
        for (char16_t c : s)
            u16(static_cast<std::uint16_t>(c));
        return *this;
    }
    std::size_t size() const { return m_out.size(); }
    Bytes take() { return std::move(m_out); }

private:
    Bytes m_out;
};

// ---- CSF ----

inline Builder CsfHeader(std::uint32_t version, std::uint32_t labels, std::uint32_t strings,
                         std::uint32_t language = 0) {
    Builder b;
    b.text(" FSC").u32(version).u32(labels).u32(strings).u32(0).u32(language);
    return b;
}

inline void CsfLabel(Builder& b, std::string_view name, std::uint32_t valueCount) {
    b.text(" LBL").u32(valueCount).u32(static_cast<std::uint32_t>(name.size())).text(name);
}

inline void CsfValue(Builder& b, std::u16string_view value, std::string_view tag = " RTS") {
    b.text(tag).u32(static_cast<std::uint32_t>(value.size())).inverted(value);
}

inline void CsfExtraValue(Builder& b, std::u16string_view value, std::string_view extra,
                          std::string_view tag = "WRTS") {
    CsfValue(b, value, tag);
    b.u32(static_cast<std::uint32_t>(extra.size())).text(extra);
}

// Version 3, plain English: every character below U+0100.
inline Bytes CsfEnglish() {
    Builder b = CsfHeader(3, 5, 5);
    CsfLabel(b, "GUI:OK", 1);
    CsfValue(b, u"OK");
    CsfLabel(b, "gui:Cancel", 1);
    CsfValue(b, u"Cancel");
    CsfLabel(b, "Name_1", 1);
    CsfExtraValue(b, u"Tank\nheavy", "tank.wav");
    CsfLabel(b, "Help", 0);
    CsfLabel(b, "A_B:C", 2);
    CsfValue(b, u"first");
    CsfExtraValue(b, u"", "");
    return b.take();
}

// Version 3 with Cyrillic and Chinese characters stored as UTF-16.
inline Bytes CsfUnicode() {
    Builder b = CsfHeader(3, 2, 2, 7);
    CsfLabel(b, "GUI:Ru", 1);
    CsfValue(b, u"\u041F\u0440\u0438\u0432\u0435\u0442");
    CsfLabel(b, "GUI:Zh", 1);
    CsfValue(b, u"\u4F60\u597D");
    return b.take();
}

// Version 2 with its lower-case value tags and a trailing junk byte after the last label.
inline Bytes CsfVersion2() {
    Builder b = CsfHeader(2, 2, 2);
    CsfLabel(b, "NOX:Hello", 1);
    CsfValue(b, u"Hello", " rtS");
    CsfLabel(b, "NOX:Extra", 1);
    CsfExtraValue(b, u"x", "voice", "WrtS");
    b.u8(0xCC);
    return b.take();
}

// ---- STR ----

inline Bytes StrSample() {
    Builder b;
    b.text("// comment line\r\n"
           "GUI:OK //confirm\r\n"
           "\"OK\"\r\n"
           "END\r\n"
           "\r\n"
           "GUI:Two Lines\r\n"
           "\"first\\nsecond\"\r\n"
           "end\r\n"
           "Quote:Inside\n"
           "\"say \"hi\" now\"\n"
           "  End  \n"
           "Name_1\n"
           "\"x\"\n"
           "\"y\"\n"
           "END\n");
    return b.take();
}

// ---- Westwood ----

// Game form: three strings, compressed text with an escape and a carriage return.
inline Bytes WestwoodGameForm() {
    Builder b;
    const std::string s1 = "\x80\x88\xFF"
                           "A\x0D";
    const std::string s2 = "\x1B\x41"
                           "bc";
    const std::string s3 = "Plain";
    const std::uint16_t o1 = 6;
    const auto o2 = static_cast<std::uint16_t>(o1 + s1.size() + 1);
    const auto o3 = static_cast<std::uint16_t>(o2 + s2.size() + 1);
    b.u16(o1).u16(o2).u16(o3);
    b.text(s1).u8(0).text(s2).u8(0).text(s3).u8(0);
    return b.take();
}

// A Westwood string file of `strings` (NUL-terminated after 16-bit offsets); with
// `extraEndEntry`, the editor form's extra end entry and final NUL.
inline Bytes WestwoodFile(const std::vector<std::string>& strings, bool extraEndEntry) {
    const std::size_t words = strings.size() + (extraEndEntry ? 1 : 0);
    Builder b;
    std::size_t offset = 2 * words;
    for (const auto& s : strings) {
        b.u16(static_cast<std::uint16_t>(offset));
        offset += s.size() + 1;
    }
    if (extraEndEntry)
        b.u16(static_cast<std::uint16_t>(offset));
    for (const auto& s : strings)
        b.text(s).u8(0);
    if (extraEndEntry)
        b.u8(0);
    return b.take();
}

// Editor form, as the program writes it: one extra end entry and a final NUL.
inline Bytes WestwoodEditorForm() {
    return WestwoodFile({"One", "Tw", ""}, true);
}

// ---- Liquid ----

struct LiquidRecord {
    std::uint32_t id;
    std::vector<std::uint16_t> units; // without the terminating zero unit
};

inline Bytes LiquidFile(const std::vector<LiquidRecord>& records, std::uint32_t header = 1) {
    Builder b;
    b.u32(header).u32(static_cast<std::uint32_t>(records.size()));
    for (const auto& r : records) {
        b.u32(r.id).u8(0).u32(static_cast<std::uint32_t>(r.units.size() + 1));
        for (std::uint16_t u : r.units)
            b.u16(u);
        b.u16(0);
    }
    return b.take();
}

inline Bytes LiquidSample() {
    Builder b;
    b.u32(1).u32(3);
    b.u32(42).u8(0).u32(3).u16('O').u16('K').u16(0);
    b.u32(7).u8(0).u32(1).u16(0);
    b.u32(100000).u8(0).u32(4).u16(0x0410).u16('b').u16('c').u16(0);
    return b.take();
}

// ---- Dune 2000 ----

inline void DuneRecord(Builder& b, std::string_view name, std::string_view value) {
    b.u16(static_cast<std::uint16_t>(name.size() + 1)).text(name).u8(0);
    b.u16(static_cast<std::uint16_t>(value.size() + 1)).text(value).u8(0);
}

inline Bytes Dune2000File(const std::vector<std::pair<std::string, std::string>>& records) {
    Builder b;
    b.u32(static_cast<std::uint32_t>(records.size()));
    for (const auto& [name, value] : records)
        DuneRecord(b, name, value);
    return b.take();
}

inline Bytes Dune2000Sample() {
    Builder b;
    b.u32(3);
    DuneRecord(b, "MENU_Start", "Start");
    DuneRecord(b, "TwoLines", "Line one\xACLine two");
    DuneRecord(b, "Empty", "");
    return b.take();
}

// ---- Empire at War ----

struct EmpireAtWarEntry {
    std::uint32_t key;
    std::u16string value;
    std::string name;
};

// The index of (key, value length, name length), then the values, then the names.
inline Bytes EmpireAtWarFile(const std::vector<EmpireAtWarEntry>& entries) {
    Builder b;
    b.u32(static_cast<std::uint32_t>(entries.size()));
    for (const auto& e : entries)
        b.u32(e.key)
            .u32(static_cast<std::uint32_t>(e.value.size()))
            .u32(static_cast<std::uint32_t>(e.name.size()));
    for (const auto& e : entries)
        b.utf16(e.value);
    for (const auto& e : entries)
        b.text(e.name);
    return b.take();
}

inline Bytes EmpireAtWarSample() {
    return EmpireAtWarFile(
        {{0x12345678u, u"Go", "MISSION_1"},
         {0x12345678u * 2654435761u + 1, u"Tank\nline", "TEXT_UNIT_TANK"},
         {(0x12345678u * 2654435761u + 1) * 2654435761u + 1, u"", "TEXT_TOOLTIP"}});
}

// ---- Blade Runner ----

inline Bytes BladeRunnerSample() {
    Builder b;
    b.u32(2).u32(100).u32(7);
    b.u32(24).u32(27).u32(29);
    b.text("AB").u8(0).text("C").u8(0);
    return b.take();
}

// ---- Malcolm's Revenge ----

inline Bytes MalcolmSample() {
    Builder b;
    b.u16(2).u16(3).u16(4).u16(10).u16(13);
    b.text("AB").u8(0).text("C").u8(0);
    return b.take();
}

inline Bytes MalcolmOneString() {
    Builder b;
    b.u16(1).u16(65535).u16(6);
    b.text("Only one").u8(0);
    return b.take();
}

// ---- Hostile files, each named by what it breaks ----

// ReadError: refused with "Stream read error". NotText: refused as no STR text (a zero byte or
// the CSF signature). Reads: read, and the names and first values survive a save and a second
// read.
enum class Expect { ReadError, NotText, Reads };

struct HostileFile {
    const char* name;   // file name under tests/fixtures/hostile
    const char* format; // the registry's short name
    Expect expect;
    Bytes bytes;
};

inline std::vector<HostileFile> HostileFiles() {
    std::vector<HostileFile> v;
    auto add = [&](const char* name, const char* format, Expect expect, Bytes bytes) {
        v.push_back({name, format, expect, std::move(bytes)});
    };
    const auto E = Expect::ReadError;
    { add("csf_truncated_header.csf", "csf", E, Builder().text(" FSC").u32(3).take()); }
    {
        Builder b = CsfHeader(3, 0x7FFFFFFF, 1);
        CsfLabel(b, "A", 1);
        CsfValue(b, u"x");
        add("csf_label_count_too_large.csf", "csf", E, b.take());
    }
    {
        Builder b = CsfHeader(3, 1, 1);
        CsfLabel(b, "A", 0xFFFFFFFF);
        CsfValue(b, u"x");
        add("csf_value_count_too_large.csf", "csf", E, b.take());
    }
    {
        Builder b = CsfHeader(3, 1, 1);
        b.text(" LBL").u32(1).u32(0xFFFFFFFF).text("A");
        add("csf_name_length_too_large.csf", "csf", E, b.take());
    }
    {
        // Twice the length wraps to 0 in 32-bit arithmetic.
        Builder b = CsfHeader(3, 1, 1);
        CsfLabel(b, "A", 1);
        b.text(" RTS").u32(0x80000000).u32(0);
        add("csf_value_length_wraps.csf", "csf", E, b.take());
    }
    {
        Builder b = CsfHeader(3, 1, 1);
        CsfLabel(b, "A", 1);
        b.text("WRTS").u32(1).inverted(u"x").u32(0xFFFFFFFF).text("e");
        add("csf_extra_length_too_large.csf", "csf", E, b.take());
    }
    {
        Builder b = CsfHeader(3, 1, 1);
        CsfLabel(b, "A", 1);
        b.text(" RTS").u32(5).inverted(u"abcd");
        add("csf_value_truncated.csf", "csf", E, b.take());
    }
    {
        // Text too short to hold a line still reads, as an empty table.
        add("str_empty.str", "str", Expect::Reads, Bytes{});
        add("str_one_byte.str", "str", Expect::Reads, Bytes{'A'});
        add("str_no_newline.str", "str", Expect::Reads,
            Builder().text("GUI:OK\n\"OK\"\nEND").take());
        add("str_label_without_end.str", "str", Expect::Reads,
            Builder().text("GUI:OK\n\"OK\"\nGUI:Next\n").take());
        Builder g;
        for (int i = 0; i < 256; ++i)
            g.u8(static_cast<std::uint8_t>(i * 37 + 11));
        add("str_binary_garbage.str", "str", Expect::NotText, g.take());
        // A compiled table opened as STR text, and text that begins with its signature.
        Builder csf = CsfHeader(3, 1, 1);
        CsfLabel(csf, "GUI:OK", 1);
        CsfValue(csf, u"OK");
        add("str_csf_table.str", "str", Expect::NotText, csf.take());
        add("str_csf_signature.str", "str", Expect::NotText,
            Builder().text(" FSC\nGUI:OK\n\"OK\"\nEND\n").take());
    }
    {
        add("westwood_one_byte.eng", "westwood", E, Bytes{0x02});
        add("westwood_first_offset_odd.eng", "westwood", E,
            Builder().u16(5).u16(6).text("abc").take());
        add("westwood_first_offset_zero.eng", "westwood", E,
            Builder().u16(0).u16(4).text("ab").u8(0).take());
        add("westwood_first_offset_beyond_end.eng", "westwood", E,
            Builder().u16(0x4000).u16(6).text("ab").u8(0).take());
        add("westwood_offsets_decreasing.eng", "westwood", E,
            Builder().u16(6).u16(10).u16(8).text("abc").u8(0).text("de").u8(0).take());
        add("westwood_offset_beyond_end.eng", "westwood", E,
            Builder().u16(6).u16(9).u16(0xFFF0).text("ab").u8(0).text("c").u8(0).take());
    }
    {
        add("liquid_record_count_too_large.lte", "lte", E,
            Builder().u32(1).u32(0xFFFFFFFF).u32(1).u8(0).u32(1).u16(0).take());
        add("liquid_text_length_wraps.lte", "lte", E,
            Builder().u32(1).u32(1).u32(1).u8(0).u32(0x80000000).u16('a').u16(0).take());
        add("liquid_record_truncated.lte", "lte", E,
            Builder().u32(1).u32(2).u32(1).u8(0).u32(1).u16(0).u32(2).take());
    }
    {
        add("dune2000_record_count_too_large.uib", "uib", E,
            Builder().u32(0x10000000).u16(2).text("A").u8(0).u16(1).u8(0).take());
        add("dune2000_value_size_beyond_end.uib", "uib", E,
            Builder().u32(1).u16(2).text("A").u8(0).u16(0xFFFF).text("abc").u8(0).take());
        add("dune2000_name_size_beyond_end.uib", "uib", E,
            Builder().u32(1).u16(300).text("A").u8(0).take());
        // Found by fuzzing: the control byte 0x1A came back as '?' after a save.
        Builder b;
        b.u32(1);
        DuneRecord(b, "A",
                   "a\x1A"
                   "b");
        add("dune2000_value_with_byte_1a.uib", "uib", Expect::Reads, b.take());
    }
    {
        // 12 x count wraps to 8 in 32-bit arithmetic.
        add("eaw_entry_count_wraps.dat", "eaw", E,
            Builder().u32(0x15555556).u32(0).u32(0).u32(0).take());
        add("eaw_value_length_wraps.dat", "eaw", E,
            Builder().u32(1).u32(0).u32(0x80000000).u32(1).u16('a').text("N").take());
        add("eaw_value_lengths_exceed_file.dat", "eaw", E,
            Builder()
                .u32(2)
                .u32(0)
                .u32(0x40000000)
                .u32(1)
                .u32(0)
                .u32(0x40000000)
                .u32(1)
                .u16('a')
                .text("NM")
                .take());
        add("eaw_name_length_too_large.dat", "eaw", E,
            Builder().u32(1).u32(0).u32(1).u32(0xFFFFFFFF).u16('a').text("N").take());
    }
    {
        add("bladerunner_count_too_large.trr", "trr", E,
            Builder().u32(0x40000000).u32(1).u32(8).u32(10).text("a").u8(0).take());
        add("bladerunner_offsets_decreasing.trr", "trr", E,
            Builder()
                .u32(2)
                .u32(1)
                .u32(2)
                .u32(24)
                .u32(20)
                .u32(29)
                .text("AB")
                .u8(0)
                .text("C")
                .u8(0)
                .take());
        add("bladerunner_string_size_zero.trr", "trr", E,
            Builder().u32(1).u32(1).u32(12).u32(12).text("AB").u8(0).take());
        add("bladerunner_string_beyond_end.trr", "trr", E,
            Builder().u32(1).u32(1).u32(12).u32(0x7FFFFFFF).text("AB").u8(0).take());
    }
    {
        add("malcolm_count_too_large.tre", "tre", E,
            Builder().u16(0xFFFF).u16(1).u16(6).text("a").u8(0).take());
        add("malcolm_offsets_decreasing.tre", "tre", E,
            Builder().u16(2).u16(3).u16(4).u16(13).u16(10).text("AB").u8(0).text("C").u8(0).take());
        add("malcolm_last_offset_beyond_end.tre", "tre", E,
            Builder().u16(1).u16(3).u16(0x7000).text("AB").u8(0).take());
    }
    return v;
}

} // namespace vste::samples

// SPDX-License-Identifier: MIT
// STR, the text form of a compiled string table: a label line, a quoted value line and END for
// every string, in single-byte text of the active code page.
//
// A label line gives the name the games give it: the line cut before a later //, without the
// spaces and tabs at either end (StrLabels.h); the writer refuses a name that would not read
// back that way. A file holding a zero byte or beginning with the CSF signature is no text and
// is refused rather than read as a few garbage labels.
//
// Inside the quotes a backslash escapes: \n line feed, \t tab, \" quote, \\ backslash, \' and \?
// themselves; a backslash before any other character is kept. The writer escapes every line
// feed, tab, quote and backslash of a value, so that the games' own reader, which ends the text
// at the first unescaped quote, sees the same text; carriage returns are written as they are.
// After the closing quote may come a speech name, `"text" = name`, which is the value's extra
// value. The reader takes the text from the first to the last quote of the line, so files whose
// inner quotes are not escaped read as their authors meant.
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <span>

#include "core/CompiledStrings.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "core/StrLabels.h"
#include "core/StringUtils.h"

namespace vste {

namespace {

// The character each escape stands for, by the byte after the backslash; 0 for no escape.
constexpr std::array<char, 256> MakeUnescapeTable() {
    std::array<char, 256> t{};
    t['n'] = '\n';
    t['t'] = '\t';
    t['"'] = '"';
    t['\\'] = '\\';
    t['\''] = '\'';
    t['?'] = '?';
    return t;
}
constexpr std::array<char, 256> kUnescape = MakeUnescapeTable();

bool IsSpeechChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The speech name in what follows the closing quote: blanks and '=' skipped, then letters,
// digits and '_'.
std::string_view SpeechName(std::string_view tail) {
    std::size_t start = 0;
    while (start < tail.size() &&
           (tail[start] == ' ' || tail[start] == '\t' || tail[start] == '=')) {
        ++start;
    }
    std::size_t end = start;
    while (end < tail.size() && IsSpeechChar(tail[end])) {
        ++end;
    }
    return tail.substr(start, end - start);
}

// The quoted text of a value line with its escapes decoded, converted to UTF-16.
void DecodeText(std::u16string& out, std::string_view text, const PlainCodec& codec) {
    out.resize(text.size());
    char16_t* p = out.data();
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const char escaped =
            c == '\\' && i + 1 < n ? kUnescape[static_cast<unsigned char>(text[i + 1])] : 0;
        if (escaped != 0) {
            *p++ = static_cast<char16_t>(escaped);
            ++i;
        } else {
            *p++ = codec.toWide(c);
        }
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
}

// A value line: the text between its first and last quote (empty without two quotes) and the
// speech name after the last quote.
void ReadValueLine(TTextContainer& value, std::string_view line, const PlainCodec& codec) {
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    std::string_view speech;
    if (open == std::string_view::npos || close == open) {
        value.Value.clear();
    } else {
        DecodeText(value.Value, line.substr(open + 1, close - open - 1), codec);
        speech = SpeechName(line.substr(close + 1));
    }
    // The tags of CSF version 3, which the reader gives the table.
    value.Tag = EditorValueTag(!speech.empty(), false);
    value.ExtraValue.assign(speech);
}

TText NewLabel(std::string_view name) {
    TText text;
    text.Tag = kLabelTag;
    text.Name.assign(name);
    // A label that reaches END without a value line keeps this empty value.
    text.Values.resize(1);
    text.Values[0].Tag = kValueTagV3;
    return text;
}

std::u16string_view FirstValue(const TText& text) {
    return text.Values.empty() ? std::u16string_view() : std::u16string_view(text.Values[0].Value);
}

// The extra value of the first value, which STR writes as a speech name; empty when none.
std::string_view SpeechNameOf(const TText& text) {
    if (text.Values.empty() || !text.Values[0].HasExtraValue()) {
        return {};
    }
    return text.Values[0].ExtraValue;
}

// Text as a message shows it: line ends, other control bytes and bytes from 0x7F up spelled out,
// so that the message stays one line of plain text.
std::string Shown(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte >= 0x7F) {
            out += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

[[noreturn]] void Refuse(std::size_t index, const TText& text, Message why) {
    throw FormatError(
        Message(MessageId::StrCannotSave, {Shown(text.Name), Number(index + 1), std::move(why)}));
}

// The characters the writer escapes, in code units or in bytes. Written without branches so
// that the compiler vectorises the loop.
template <typename Text> std::size_t CountEscapes(const Text& text) {
    std::size_t count = 0;
    for (const auto c : text) {
        count += (c == '\\') | (c == '"') | (c == '\t') | (c == '\n');
    }
    return count;
}

// Refuses the first string whose name or extra value STR cannot carry; otherwise returns the
// size of the text, exact unless a look-alike character converts to a byte that needs escaping.
std::size_t CheckedSizeEstimate(const TCSFBody& body) {
    std::size_t size = 0;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const TText& text = body[i];
        if (const std::optional<StrNameFault> fault = FindStrNameFault(text.Name)) {
            Refuse(i, text, StrNameFaultMessage(*fault));
        }
        const std::string_view speech = SpeechNameOf(text);
        if (!std::all_of(speech.begin(), speech.end(), IsSpeechChar)) {
            Refuse(i, text, Message(MessageId::StrExtraNotSpeech, {Shown(speech)}));
        }
        const std::u16string_view value = FirstValue(text);
        if (value.find(u'\0') != std::u16string_view::npos) {
            Refuse(i, text, Message(MessageId::StrValueHoldsNul));
        }
        size += text.Name.size() + value.size() + speech.size() + 16;
        size += CountEscapes(value);
    }
    return size;
}

// Turns the n bytes at `text` into their escaped spelling in place, working from the end; there
// must be room for n + escapes bytes.
void EscapeInPlace(std::uint8_t* text, std::size_t n, std::size_t escapes) {
    std::uint8_t* to = text + n + escapes;
    for (std::size_t i = n; i-- > 0 && to != text + i + 1;) {
        const std::uint8_t c = text[i];
        if (c == '\n' || c == '\t') {
            *--to = c == '\n' ? 'n' : 't';
            *--to = '\\';
        } else if (c == '\\' || c == '"') {
            *--to = c;
            *--to = '\\';
        } else {
            *--to = c;
        }
    }
}

// Why `data` cannot be STR text: a compiled table's signature, or a zero byte, which text never
// holds and binary files nearly always do. Read as text, such a file would give a few garbage
// labels in place of its strings.
std::optional<Message> NotTextReason(std::span<const std::uint8_t> data) {
    if (data.size() >= kCsfMagic.size() &&
        std::equal(kCsfMagic.begin(), kCsfMagic.end(), data.begin())) {
        return Message(MessageId::NotStrTextCsfSignature);
    }
    // An empty span may hold no pointer at all, which memchr must not see.
    const void* nul = data.empty() ? nullptr : std::memchr(data.data(), 0, data.size());
    if (nul != nullptr) {
        const auto offset = static_cast<const std::uint8_t*>(nul) - data.data();
        return Message(MessageId::NotStrTextZeroByte, {Number(static_cast<std::uint64_t>(offset))});
    }
    return std::nullopt;
}

} // namespace

std::unique_ptr<TCompiledStrings>
TCompiledStrings::CreateFromSTRBuffer(std::span<const std::uint8_t> data, Progress& progress) {
    if (std::optional<Message> reason = NotTextReason(data)) {
        throw FormatError(Message(MessageId::NotStrText, {std::move(*reason)}));
    }
    auto doc = std::make_unique<TCompiledStrings>();
    doc->Magic = kCsfMagic;
    doc->Version = 3;
    doc->Reserved = {};
    doc->Language = 0;

    const char* const base = reinterpret_cast<const char*>(data.data());
    const std::size_t size = data.size();
    const PlainCodec codec;
    progress.SetMax(ProgressIndex(size));
    // Room for the labels at once: every label but the last takes two lines at least (the label
    // and END), and real labels take more than 32 bytes (more labels just grow the table). The
    // part of the reservation that is never written costs address space, not memory.
    const auto lines = static_cast<std::size_t>(std::count(base, base + size, '\n'));
    doc->Body.reserve(std::min(lines / 2, size / 32) + 1);

    bool insideLabel = false;
    std::size_t pos = 0;
    while (pos < size) {
        // A last line without a line feed still counts.
        const void* lf = std::memchr(base + pos, '\n', size - pos);
        const std::size_t end =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) + 1 : size;
        const std::string_view line(base + pos, end - pos);
        pos = end;

        const StrLineMarks marks = MarksOfStrLine(line);
        if (marks.isBlank() || marks.isComment()) {
            continue;
        }
        if (!insideLabel) {
            doc->Body.push_back(NewLabel(StrLabelName(line)));
            insideLabel = true;
        } else if (marks.isEnd()) {
            insideLabel = false;
        } else {
            // A second value line of the same label replaces the first.
            ReadValueLine(doc->Body.back().Values[0], line, codec);
        }
        progress.SetPosition(ProgressIndex(pos));
    }

    doc->StringCount = static_cast<std::int32_t>(doc->LabelCount());
    return doc;
}

std::unique_ptr<TCompiledStrings> TCompiledStrings::CreateFromSTRFile(const std::string& fileName,
                                                                      Progress& progress) {
    // Callers put the file's name before a read error, as for every other format.
    return CreateFromSTRBuffer(LoadFile(fileName), progress);
}

std::vector<std::uint8_t> TCompiledStrings::SaveToSTRBuffer(Progress& progress) const {
    static constexpr std::string_view kLineEnd = "\r\nEND\r\n\r\n";
    std::vector<std::uint8_t> out(CheckedSizeEstimate(Body));
    std::size_t used = 0;
    // Room for n more bytes; the estimate misses only escapes of look-alike characters.
    auto room = [&out, &used](std::size_t n) {
        if (out.size() - used < n) {
            out.resize(std::max(out.size() + out.size() / 2, used + n));
        }
        return out.data() + used;
    };
    auto put = [&room, &used](std::string_view s) {
        std::memcpy(room(s.size()), s.data(), s.size());
        used += s.size();
    };
    const PlainCodec codec;

    SetProgressMax(progress, Body.size());
    for (std::size_t i = 0; i < Body.size(); ++i) {
        const TText& text = Body[i];
        put(text.Name);
        put("\r\n\"");
        const std::u16string_view value = FirstValue(text);
        const std::size_t bytes = codec.writeAnsi(room(value.size()), value);
        const std::size_t escapes = CountEscapes(std::span(out.data() + used, bytes));
        if (escapes > 0) {
            room(bytes + escapes);
            EscapeInPlace(out.data() + used, bytes, escapes);
        }
        used += bytes + escapes;
        put("\"");
        if (const std::string_view speech = SpeechNameOf(text); !speech.empty()) {
            put(" = ");
            put(speech);
        }
        put(kLineEnd);
        progress.SetPosition(ProgressIndex(i));
    }
    // The file ends with END and a single line end.
    out.resize(used >= 2 ? used - 2 : used);
    return out;
}

void TCompiledStrings::SaveToSTR(const std::string& fileName, Progress& progress) {
    StoreFileAtomically(fileName, SaveToSTRBuffer(progress));
}

} // namespace vste

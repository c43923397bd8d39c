// SPDX-License-Identifier: MIT
// STR, the text form of a compiled string table: a label line, a quoted value line and END for
// every string, in single-byte text of the active code page.
#include <algorithm>
#include <cstring>

#include "core/CompiledStrings.h"
#include "core/FileIO.h"
#include "core/StringUtils.h"

namespace vste {

namespace {

// What the reader needs to know of a line's label characters without collecting them all:
// how many there are (counting stops at four) and the first three of them.
struct LabelSummary {
    int count = 0;
    char first[3] = {};

    bool isComment() const { return count >= 2 && first[0] == '/' && first[1] == '/'; }
    bool isEnd() const { return count == 3 && IsEndKeyword(std::string_view(first, 3)); }
};

LabelSummary Summarize(std::string_view line) {
    LabelSummary s;
    for (char c : line) {
        if (IsLabelChar(static_cast<unsigned char>(c))) {
            if (s.count < 3) {
                s.first[s.count] = c;
            }
            if (++s.count > 3) {
                break;
            }
        }
    }
    return s;
}

// The label characters of a label line, cut before a "//" that does not begin them.
std::string LabelName(std::string_view line) {
    std::string name = FilterLabelChars(line);
    const std::size_t comment = name.find("//");
    if (comment != std::string::npos && comment > 0) {
        name.resize(comment);
    }
    return name;
}

// The quoted text of a value line with every backslash-n turned into a line feed, converted to
// UTF-16. A backslash-n cannot straddle a quote, so taking the quotes first gives the same text
// as replacing on the whole line.
void DecodeValue(std::u16string& out, std::string_view line, const PlainCodec& codec) {
    const std::string_view text = QuotedPart(line);
    out.resize(text.size());
    char16_t* p = out.data();
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\' && i + 1 < n && text[i + 1] == 'n') {
            *p++ = u'\n';
            ++i;
        } else {
            *p++ = codec.toWide(c);
        }
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
}

TText NewLabel(std::string name) {
    TText text;
    text.Tag = kLabelTag;
    text.Name = std::move(name);
    // A label that reaches END without a value line keeps this empty value.
    text.Values.resize(1);
    text.Values[0].Tag = kValueTagV3;
    return text;
}

} // namespace

std::unique_ptr<TCompiledStrings>
TCompiledStrings::CreateFromSTRBuffer(std::span<const std::uint8_t> data, Progress& progress) {
    auto doc = std::make_unique<TCompiledStrings>();
    doc->Magic = kCsfMagic;
    doc->Version = 3;
    doc->Reserved = {};
    doc->Language = 0;

    const char* const base = reinterpret_cast<const char*>(data.data());
    const std::size_t size = data.size();
    const PlainCodec codec;
    progress.SetMax(ProgressIndex(size));

    bool insideLabel = false;
    std::size_t pos = 0;
    while (pos < size) {
        // A last line without a line feed still counts.
        const void* lf = std::memchr(base + pos, '\n', size - pos);
        const std::size_t end =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) + 1 : size;
        const std::string_view line(base + pos, end - pos);
        pos = end;

        const LabelSummary labels = Summarize(line);
        if (labels.count == 0 || labels.isComment()) {
            continue;
        }
        if (!insideLabel) {
            doc->Body.push_back(NewLabel(LabelName(line)));
            insideLabel = true;
        } else if (labels.isEnd()) {
            insideLabel = false;
        } else {
            // A second value line of the same label replaces the first.
            DecodeValue(doc->Body.back().Values[0].Value, line, codec);
        }
        progress.SetPosition(ProgressIndex(pos));
    }

    doc->Body.shrink_to_fit();
    doc->StringCount = static_cast<std::int32_t>(doc->LabelCount());
    return doc;
}

std::unique_ptr<TCompiledStrings> TCompiledStrings::CreateFromSTRFile(const std::string& fileName,
                                                                      Progress& progress) {
    const std::vector<std::uint8_t> data = LoadFile(fileName);
    return CreateFromSTRBuffer(data, progress);
}

std::vector<std::uint8_t> TCompiledStrings::SaveToSTRBuffer(Progress& progress) const {
    static constexpr std::string_view kQuoteLineEnd = "\"\r\nEND\r\n\r\n";
    const PlainCodec codec;
    auto firstValue = [](const TText& text) -> std::u16string_view {
        return text.Values.empty() ? std::u16string_view()
                                   : std::u16string_view(text.Values[0].Value);
    };

    // Exact upper bound: every code unit gives at most one byte, every line feed two.
    std::size_t bound = 0;
    for (const TText& text : Body) {
        const std::u16string_view value = firstValue(text);
        bound += text.Name.size() + 3 + value.size() + kQuoteLineEnd.size();
        bound += static_cast<std::size_t>(std::count(value.begin(), value.end(), u'\n'));
    }

    std::vector<std::uint8_t> out(bound);
    std::uint8_t* p = out.data();
    auto put = [&p](std::string_view s) {
        std::memcpy(p, s.data(), s.size());
        p += s.size();
    };

    SetProgressMax(progress, Body.size());
    for (std::size_t i = 0; i < Body.size(); ++i) {
        const TText& text = Body[i];
        put(text.Name);
        put("\r\n\"");
        std::u16string_view value = firstValue(text);
        while (!value.empty()) {
            const std::size_t lf = value.find(u'\n');
            const std::u16string_view run = value.substr(0, lf);
            p += codec.writeAnsi(p, run);
            if (lf == std::u16string_view::npos) {
                break;
            }
            put("\\n");
            value.remove_prefix(lf + 1);
        }
        put(kQuoteLineEnd);
        progress.SetPosition(ProgressIndex(i));
    }
    std::size_t used = static_cast<std::size_t>(p - out.data());
    // The file ends with END and a single line end.
    if (used >= 2) {
        used -= 2;
    }
    out.resize(used);
    return out;
}

void TCompiledStrings::SaveToSTR(const std::string& fileName, Progress& progress) {
    StoreFileAtomically(fileName, SaveToSTRBuffer(progress));
}

} // namespace vste

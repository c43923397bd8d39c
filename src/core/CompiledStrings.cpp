// SPDX-License-Identifier: MIT
// CSF compiled string tables: reader, writer and table editing. Categories live in
// CsfCategories.cpp, import in CsfImport.cpp, the STR text form in StrFormat.cpp.
#include "core/CompiledStrings.h"

#include <algorithm>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "encoding/Fargus.h"

namespace vste {
namespace {

constexpr std::size_t kHeaderSize = 24;
// Tag, value count and name length: the least a label record can occupy.
constexpr std::uint64_t kMinLabelRecord = 12;
// Tag and value length: the least a value record can occupy.
constexpr std::uint64_t kMinValueRecord = 8;

// Single-byte form of the value under the active code page, one stored unit per byte. The file
// holds exactly as many units as the value has code units, so a letter that the code page spells
// as letter plus mark gets its one-byte look-alike where the two bytes would not fit; when the
// conversion comes out shorter (a U+0000 ends it, composed characters merge) the rest are zero.
void putAnsiValue(ByteWriter& out, const std::u16string& value, const CodePageCodec& codec) {
    // ASCII without NUL, the common case: each stored unit is the inverted code unit, as in
    // the wide form, in one loop the compiler vectorises.
    char16_t any = 0;
    for (char16_t c : value)
        any |= static_cast<char16_t>(c >= 0x80 || c == 0);
    if (any == 0) {
        out.units(value, 0xFFFF);
        return;
    }
    const std::size_t length = value.size();
    std::uint8_t* p = out.room(2 * length);
    const auto put = [&p](std::uint8_t b) {
        p[0] = static_cast<std::uint8_t>(b ^ 0xFF);
        p[1] = 0xFF;
        p += 2;
    };
    bool ascii = true;
    for (char16_t c : value)
        ascii = ascii && c < 0x80;
    if (ascii) {
        // Every supported code page keeps ASCII as is; the conversion would stop at a U+0000.
        bool ended = false;
        for (char16_t c : value) {
            ended = ended || c == 0;
            put(ended ? std::uint8_t{0} : static_cast<std::uint8_t>(c));
        }
        return;
    }
    const std::string bytes = codec.toAnsiWithin(value);
    for (std::size_t k = 0; k < length; ++k)
        put(k < bytes.size() ? static_cast<std::uint8_t>(bytes[k]) : std::uint8_t{0});
}

std::size_t encodedSize(const TCSFBody& body) {
    std::size_t total = kHeaderSize;
    for (const TText& label : body) {
        total += kMinLabelRecord + label.Name.size();
        for (const TTextContainer& v : label.Values) {
            total += kMinValueRecord + 2 * v.Value.size();
            if (v.HasExtraValue())
                total += 4 + v.ExtraValue.size();
        }
    }
    return total;
}

} // namespace

std::unique_ptr<TCompiledStrings> TCompiledStrings::CreateFromFile(const std::string& fileName,
                                                                   Progress& progress,
                                                                   bool& singleByte) {
    const std::vector<std::uint8_t> data = LoadFile(fileName);
    return CreateFromBuffer(data, progress, singleByte);
}

std::unique_ptr<TCompiledStrings>
TCompiledStrings::CreateFromBuffer(std::span<const std::uint8_t> data, Progress& progress,
                                   bool& singleByte) {
    singleByte = true;
    ByteReader in(data);
    auto doc = std::make_unique<TCompiledStrings>();
    doc->Magic = in.tag();
    doc->Version = in.i32();
    const std::uint32_t labelCount = in.u32();
    doc->StringCount = in.i32();
    doc->Reserved = in.tag();
    doc->Language = in.i32();

    in.require(labelCount, kMinLabelRecord);
    ResizeWithEditingRoom(doc->Body, labelCount);
    SetProgressMax(progress, labelCount);

    // AND of every stored unit: its high byte stays 0xFF only if every unit is 0xFF00 or more,
    // that is, every character lies below U+0100. OR of every character a single-byte reading
    // keeps (those before a value's first zero): bit 7 tells whether any lies at U+0080 or up.
    std::uint16_t allUnits = 0xFFFF;
    std::uint16_t anyCharacter = 0;
    for (std::uint32_t i = 0; i < labelCount; ++i) {
        TText& label = doc->Body[i];
        label.Tag = in.tag();
        const std::uint32_t valueCount = in.u32();
        const std::uint32_t nameLength = in.u32();
        label.Name = in.bytes(nameLength);
        if (valueCount == 0) {
            // A label stored without values gets one empty value, so every label has one.
            label.Values.resize(1);
            label.Values[0].Tag = kValueTagV3;
        } else {
            in.require(valueCount, kMinValueRecord);
            label.Values.resize(valueCount);
            for (TTextContainer& value : label.Values) {
                value.Tag = in.tag();
                const std::uint32_t length = in.u32();
                in.require(length, 2);
                const std::uint8_t* units = in.span(std::size_t{2} * length).data();
                value.Value.resize(length);
                char16_t* out = value.Value.data();
                // Single-byte text ends at its first zero; what follows it is not read as text.
                std::uint16_t beforeZero = 0xFFFF;
                for (std::uint32_t k = 0; k < length; ++k) {
                    const auto u =
                        static_cast<std::uint16_t>(units[2 * k] | (units[2 * k + 1] << 8));
                    allUnits &= u;
                    out[k] = static_cast<char16_t>(u ^ 0xFFFF);
                    if (out[k] == 0)
                        beforeZero = 0;
                    anyCharacter |= static_cast<std::uint16_t>(out[k] & beforeZero);
                }
                if (value.HasExtraValue())
                    value.ExtraValue = in.bytes(in.u32());
            }
        }
        progress.SetPosition(ProgressIndex(i));
    }
    // A table of plain ASCII reads the same either way; as Unicode, new text keeps its letters.
    singleByte = (allUnits & 0xFF00) == 0xFF00 && (anyCharacter & 0x80) != 0;
    if (singleByte)
        doc->DecodeAnsiValues();
    return doc;
}

void TCompiledStrings::DecodeAnsiValues() {
    for (TText& label : Body) {
        for (TTextContainer& v : label.Values) {
            // Fast path: ASCII reads the same under every supported code page, and the
            // conversion ends the value at its first zero byte.
            std::size_t end = v.Value.size();
            bool ascii = true;
            for (std::size_t k = 0; k < v.Value.size(); ++k) {
                const char16_t c = v.Value[k];
                if ((c & 0xFF) == 0) {
                    end = k;
                    break;
                }
                if (c >= 0x80)
                    ascii = false;
            }
            if (ascii) {
                v.Value.resize(end);
                continue;
            }
            std::string bytes(v.Value.size(), '\0');
            for (std::size_t k = 0; k < v.Value.size(); ++k)
                bytes[k] = static_cast<char>(v.Value[k] & 0xFF);
            v.Value = AnsiToWide(bytes, 0);
        }
    }
}

std::vector<std::uint8_t> TCompiledStrings::SaveToBuffer(Progress& progress, bool ansiMode) const {
    ByteWriter out(encodedSize(Body));
    out.tag(Magic);
    out.i32(Version);
    out.u32(LabelCount());
    out.i32(StringCount);
    out.tag(Reserved);
    out.i32(Language);
    const CodePageCodec& codec = CodePageCodec::Get();
    SetProgressMax(progress, Body.size());
    for (std::size_t i = 0; i < Body.size(); ++i) {
        const TText& label = Body[i];
        out.tag(label.Tag);
        out.u32(label.ValueCount());
        out.u32(label.NameLength());
        out.bytes(label.Name);
        for (const TTextContainer& v : label.Values) {
            out.tag(v.Tag);
            out.u32(v.ValueLength());
            if (ansiMode)
                putAnsiValue(out, v.Value, codec);
            else
                out.units(v.Value, 0xFFFF); // stored units are the UTF-16 units inverted
            if (v.HasExtraValue()) {
                out.u32(v.ExtraLength());
                out.bytes(v.ExtraValue);
            }
        }
        progress.SetPosition(ProgressIndex(i));
    }
    return out.take();
}

void TCompiledStrings::SaveToFile(const std::string& fileName, Progress& progress, bool ansiMode) {
    StoreFileAtomically(fileName, SaveToBuffer(progress, ansiMode));
}

void TCompiledStrings::AddString(TText text) {
    // The label tag and the value's tag are those the editor gives a new string and an applied
    // value; InsertString counts the string in the header.
    text.Tag = NewLabelTag();
    if (text.Values.empty()) {
        TTextContainer value;
        value.Tag = AppliedValueTag(false);
        text.Values.push_back(std::move(value));
    }
    InsertString(LabelCount(), std::move(text));
}

void TCompiledStrings::SetVersion(std::int32_t version) {
    Version = version;
    if (version != 2 && version != 3)
        return;
    const std::uint8_t r = version == 2 ? 0x72 : 0x52;
    const std::uint8_t t = version == 2 ? 0x74 : 0x54;
    for (TText& label : Body) {
        for (TTextContainer& v : label.Values) {
            v.Tag[1] = r;
            v.Tag[2] = t;
        }
    }
}

void TCompiledStrings::SetLanguage(std::int32_t language) {
    Language = language;
}

void TCompiledStrings::DecodeFargusCyrillic() {
    for (TText& label : Body)
        for (TTextContainer& v : label.Values)
            if (!v.Value.empty())
                v.Value = FargusToWindows1251(v.Value);
}

void TCompiledStrings::EncodeFargusCyrillic() {
    for (TText& label : Body)
        for (TTextContainer& v : label.Values)
            if (!v.Value.empty())
                v.Value = Windows1251ToFargus(v.Value);
}

} // namespace vste

// SPDX-License-Identifier: MIT
// The document's editing operations: every change the editor makes, each rule in one place, each
// returning what an exact undo needs.
#include <stdexcept>
#include <utility>

#include "core/EmpireAtWarStrings.h"
#include "core/Model.h"
#include "encoding/Fargus.h"

namespace vste {
namespace {

// The header's string count wraps like the 32-bit field it is.
std::int32_t Wrapped(std::int32_t count, std::int32_t delta) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(count) +
                                     static_cast<std::uint32_t>(delta));
}

[[noreturn]] void OutsideTable(std::uint32_t index) {
    throw std::out_of_range("String index " + std::to_string(index) + " is outside the table");
}

// Value `valueIndex` of string `index`, for a TText or a const TText.
template <typename Text> auto& ValueAt(Text& text, std::uint32_t index, std::uint32_t valueIndex) {
    if (valueIndex >= text.Values.size())
        throw std::out_of_range("Value " + std::to_string(valueIndex + 1) + " of string " +
                                std::to_string(index) + " does not exist");
    return text.Values[valueIndex];
}

} // namespace

TText& TWestwoodStrings::StringAt(std::uint32_t index) {
    if (index >= Body.size())
        OutsideTable(index);
    return Body[index];
}

const TText& TWestwoodStrings::StringAt(std::uint32_t index) const {
    if (index >= Body.size())
        OutsideTable(index);
    return Body[index];
}

Tag4 TWestwoodStrings::NewLabelTag() const {
    return Body.empty() ? kLabelTag : Body.back().Tag;
}

Tag4 TWestwoodStrings::AppliedValueTag(bool extra) const {
    return EditorValueTag(extra, Version == 2);
}

TFieldEdit TWestwoodStrings::RenameEdit(std::uint32_t index, std::string name) const {
    (void)StringAt(index); // checks the index
    TFieldEdit edit;
    edit.StringIndex = index;
    edit.Field = TEditField::Name;
    if (KeysFromNames())
        edit.Tag = TEmpireAtWarStrings::KeyForName(name);
    edit.Text = std::move(name);
    return edit;
}

TFieldEdit TWestwoodStrings::RenameString(std::uint32_t index, std::string name) {
    TFieldEdit edit = RenameEdit(index, std::move(name));
    // A keyed string needs a value to hold its key.
    if (KeysFromNames() && Body[index].Values.empty())
        Body[index].Values.resize(1);
    SwapEdit(edit);
    return edit;
}

std::vector<TFieldEdit> TWestwoodStrings::SetValueEdits(std::uint32_t index,
                                                        std::uint32_t valueIndex,
                                                        std::u16string value,
                                                        std::string extra) const {
    const TTextContainer& current = ValueAt(StringAt(index), index, valueIndex);
    const Tag4 tag = KeysFromNames() ? current.Tag : AppliedValueTag(!extra.empty());
    std::vector<TFieldEdit> edits(2);
    edits[0] = TFieldEdit{index, valueIndex, TEditField::Value, std::move(value), {}, tag};
    edits[1] = TFieldEdit{index, valueIndex, TEditField::ExtraValue, {}, std::move(extra), tag};
    return edits;
}

std::vector<TFieldEdit> TWestwoodStrings::SetValue(std::uint32_t index, std::uint32_t valueIndex,
                                                   std::u16string value, std::string extra) {
    std::vector<TFieldEdit> edits =
        SetValueEdits(index, valueIndex, std::move(value), std::move(extra));
    SwapEdits(edits, false);
    return edits;
}

void TWestwoodStrings::SwapEdit(TFieldEdit& edit) {
    TText& text = StringAt(edit.StringIndex);
    switch (edit.Field) {
    case TEditField::Name:
        std::swap(text.Name, edit.Text);
        // Only a key follows the name; other tags belong to the value.
        if (KeysFromNames() && !text.Values.empty())
            std::swap(text.Values.front().Tag, edit.Tag);
        break;
    case TEditField::Value: {
        TTextContainer& value = ValueAt(text, edit.StringIndex, edit.ValueIndex);
        std::swap(value.Value, edit.Value);
        std::swap(value.Tag, edit.Tag);
        break;
    }
    case TEditField::ExtraValue: {
        TTextContainer& value = ValueAt(text, edit.StringIndex, edit.ValueIndex);
        std::swap(value.ExtraValue, edit.Text);
        std::swap(value.Tag, edit.Tag);
        break;
    }
    }
}

void TWestwoodStrings::SwapEdits(std::vector<TFieldEdit>& edits, bool reverse) {
    // Reverse order takes back a list in which one field changes more than once.
    if (reverse)
        for (auto it = edits.rbegin(); it != edits.rend(); ++it)
            SwapEdit(*it);
    else
        for (TFieldEdit& edit : edits)
            SwapEdit(edit);
}

TText TWestwoodStrings::NewString(std::string name, std::u16string value, std::string extra) const {
    TText text;
    if (HasCsfHeader())
        text.Tag = NewLabelTag();
    TTextContainer first;
    first.Tag = KeysFromNames() ? TEmpireAtWarStrings::KeyForName(name)
                                : EditorValueTag(!extra.empty(), Version != 3);
    first.Value = std::move(value);
    first.ExtraValue = std::move(extra);
    text.Name = std::move(name);
    text.Values.push_back(std::move(first));
    return text;
}

void TWestwoodStrings::InsertString(std::uint32_t at, TText text) {
    if (at > Body.size())
        OutsideTable(at);
    Body.insert(Body.begin() + at, std::move(text));
    if (HasCsfHeader())
        StringCount = Wrapped(StringCount, +1);
}

TText TWestwoodStrings::ExtractString(std::uint32_t index) {
    TText text = std::move(StringAt(index));
    Body.erase(Body.begin() + index);
    if (HasCsfHeader())
        StringCount = Wrapped(StringCount, -1);
    return text;
}

TTextContainer TWestwoodStrings::EmptyValue() {
    TTextContainer value;
    value.Tag = kValueTagV3;
    return value;
}

void TWestwoodStrings::AddValue(std::uint32_t index, TTextContainer value) {
    StringAt(index).Values.push_back(std::move(value));
    if (HasCsfHeader())
        StringCount = Wrapped(StringCount, +1);
}

Tag4 TWestwoodStrings::AppendedValueTag(const TTextContainer* before, bool extra) {
    Tag4 tag = before ? before->Tag : EmptyValue().Tag;
    tag[0] = extra ? kExtraValueMark : std::uint8_t{0x20};
    return tag;
}

TTextContainer TWestwoodStrings::RemoveValue(std::uint32_t index) {
    if (StringAt(index).Values.size() <= 1)
        throw std::invalid_argument("String " + std::to_string(index) + " keeps its only value");
    return TakeLastValue(index);
}

TTextContainer TWestwoodStrings::TakeLastValue(std::uint32_t index) {
    TText& text = StringAt(index);
    if (text.Values.empty())
        throw std::invalid_argument("String " + std::to_string(index) + " has no value");
    TTextContainer value = std::move(text.Values.back());
    text.Values.pop_back();
    if (HasCsfHeader())
        StringCount = Wrapped(StringCount, -1);
    return value;
}

TTextContainer TWestwoodStrings::ReplaceValue(std::uint32_t index, std::uint32_t valueIndex,
                                              TTextContainer value) {
    TText& text = StringAt(index);
    if (valueIndex >= text.Values.size())
        throw std::out_of_range("String " + std::to_string(index) + " has no value " +
                                std::to_string(valueIndex + 1));
    std::swap(text.Values[valueIndex], value);
    return value;
}

TCSFBody TWestwoodStrings::TakeStrings() {
    TCSFBody none;
    SwapStrings(none);
    return none;
}

void TWestwoodStrings::SwapStrings(TCSFBody& strings) {
    std::uint32_t gained = 0; // modulo 2^32, as the field wraps
    for (const TText& text : strings)
        gained += static_cast<std::uint32_t>(text.Values.size());
    for (const TText& text : Body)
        gained -= static_cast<std::uint32_t>(text.Values.size());
    std::swap(Body, strings);
    if (HasCsfHeader())
        StringCount = Wrapped(StringCount, static_cast<std::int32_t>(gained));
}

TVersionState TWestwoodStrings::ChangeVersion(std::int32_t version) {
    TVersionState old;
    old.Version = Version;
    for (const TText& text : Body)
        for (const TTextContainer& value : text.Values)
            old.Letters.push_back({value.Tag[1], value.Tag[2]});
    SetVersion(version);
    return old;
}

void TWestwoodStrings::SwapVersion(TVersionState& state) {
    std::swap(Version, state.Version);
    std::size_t k = 0;
    for (TText& text : Body) {
        for (TTextContainer& value : text.Values) {
            if (k >= state.Letters.size())
                throw std::logic_error("The version change does not fit the table");
            std::swap(value.Tag[1], state.Letters[k][0]);
            std::swap(value.Tag[2], state.Letters[k][1]);
            ++k;
        }
    }
}

std::vector<TFieldEdit> TWestwoodStrings::FargusEdits(bool decode) const {
    std::vector<TFieldEdit> edits;
    for (std::uint32_t i = 0; i < Body.size(); ++i) {
        const TText& text = Body[i];
        for (std::uint32_t v = 0; v < text.Values.size(); ++v) {
            const TTextContainer& value = text.Values[v];
            if (value.Value.empty())
                continue;
            std::u16string recoded =
                decode ? FargusToWindows1251(value.Value) : Windows1251ToFargus(value.Value);
            if (recoded != value.Value)
                edits.push_back(
                    TFieldEdit{i, v, TEditField::Value, std::move(recoded), {}, value.Tag});
        }
    }
    return edits;
}

TValuesSwap TWestwoodStrings::ImportStringValues(TWestwoodStrings& source, Progress& progress) {
    (void)source;
    (void)progress;
    return {};
}

void TWestwoodStrings::SwapValues(TValuesSwap& swap, bool countValues) {
    std::uint32_t gained = 0; // modulo 2^32, as the field wraps
    for (std::size_t k = 0; k < swap.StringIndexes.size(); ++k) {
        std::vector<TTextContainer>& values = StringAt(swap.StringIndexes[k]).Values;
        gained += static_cast<std::uint32_t>(swap.Values[k].size()) -
                  static_cast<std::uint32_t>(values.size());
        std::swap(values, swap.Values[k]);
    }
    if (countValues && HasCsfHeader())
        StringCount = Wrapped(StringCount, static_cast<std::int32_t>(gained));
}

} // namespace vste

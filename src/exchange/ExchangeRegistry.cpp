// SPDX-License-Identifier: MIT
#include <algorithm>
#include <unordered_set>

#include "core/StringUtils.h"
#include "exchange/Exchange.h"
#include "exchange/ExchangeText.h"

namespace vste {

const std::vector<ExchangeFormatInfo>& ExchangeFormats() {
    static const std::vector<ExchangeFormatInfo> formats = {
        {ExchangeFormat::Csv, "csv", {".csv"}, "CSV files (*.csv)", true, WriteCsv, ReadCsv},
        {ExchangeFormat::Xlsx,
         "xlsx",
         {".xlsx"},
         "Excel workbooks (*.xlsx)",
         true,
         WriteXlsx,
         ReadXlsx},
        {ExchangeFormat::Po,
         "po",
         {".po", ".pot"},
         "gettext PO files (*.po *.pot)",
         false,
         WritePo,
         ReadPo},
        {ExchangeFormat::Xliff,
         "xliff",
         {".xlf", ".xliff"},
         "XLIFF 1.2 files (*.xlf *.xliff)",
         false,
         WriteXliff,
         ReadXliff},
    };
    return formats;
}

const ExchangeFormatInfo* FindExchangeFormatByName(std::string_view shortName) {
    const std::string wanted = exchange::Lower(shortName);
    for (const ExchangeFormatInfo& info : ExchangeFormats())
        if (info.shortName == wanted)
            return &info;
    return nullptr;
}

const ExchangeFormatInfo* FindExchangeFormatByFileName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::size_t slash = fileName.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return nullptr;
    const std::string extension = exchange::Lower(fileName.substr(dot));
    for (const ExchangeFormatInfo& info : ExchangeFormats())
        if (std::find(info.extensions.begin(), info.extensions.end(), extension) !=
            info.extensions.end())
            return &info;
    return nullptr;
}

std::string ExchangeExtensionList(std::string_view prefix, std::string_view separator) {
    std::string list;
    for (const ExchangeFormatInfo& info : ExchangeFormats())
        for (std::string_view extension : info.extensions) {
            if (!list.empty())
                list += separator;
            list += prefix;
            list += extension;
        }
    return list;
}

ExportSource::ExportSource(const TWestwoodStrings& table, ReferenceLookup reference)
    : m_table(table), m_reference(std::move(reference)) {}

void ExportSource::forEach(const std::function<void(const ExportEntry&)>& visit) const {
    const PlainCodec codec;
    std::u16string wide;
    std::string name, value, reference, extra;
    std::unordered_set<std::string_view> seen;
    seen.reserve(m_table.Body.size());
    ExportEntry entry;
    for (std::size_t i = 0; i < m_table.Body.size(); ++i) {
        const TText& text = m_table.Body[i];
        const TText* ref = m_reference ? m_reference(text) : nullptr;
        wide.clear();
        codec.appendWide(wide, text.Name);
        name.clear();
        exchange::AppendUtf8Strict(name, wide); // names come from single bytes: always valid
        entry.stringIndex = static_cast<std::uint32_t>(i);
        entry.name = name;
        entry.firstOfName = seen.insert(text.Name).second;
        for (std::uint32_t k = 0; k < text.ValueCount(); ++k) {
            const TTextContainer& v = text.Values[k];
            entry.valueNumber = k + 1;
            value.clear();
            reference.clear();
            bool valid = exchange::AppendUtf8Strict(value, v.Value);
            entry.hasReference = ref != nullptr && k < ref->ValueCount();
            if (entry.hasReference)
                valid = exchange::AppendUtf8Strict(reference, ref->Values[k].Value) && valid;
            if (!valid)
                throw FormatError("The " + exchange::DescribeValue(entry) +
                                  " (or its reference) holds an unpaired UTF-16 surrogate, "
                                  "which exchange files cannot carry");
            wide.clear();
            codec.appendWide(wide, v.ExtraValue);
            extra.clear();
            exchange::AppendUtf8Strict(extra, wide);
            entry.value = value;
            entry.reference = reference;
            entry.extra = extra;
            entry.hasExtra = v.HasExtraValue();
            entry.untranslated =
                m_reference &&
                (v.Value.empty() || (entry.hasReference && v.Value == ref->Values[k].Value));
            visit(entry);
        }
    }
}

} // namespace vste

// SPDX-License-Identifier: MIT
#include "ui/ExchangeWork.h"

#include <memory>

#include "checks/StoreCheck.h"
#include "core/FileIO.h"
#include "core/NameIndex.h"

namespace vste::ui {

std::vector<std::uint8_t> ExportTable(const TWestwoodStrings& table,
                                      const TWestwoodStrings* reference,
                                      const ExchangeFormatInfo& format,
                                      const ExportOptions& options) {
    ReferenceLookup lookup;
    std::unique_ptr<NameIndex> names;
    std::string scratch;
    if (reference != nullptr) {
        names = std::make_unique<NameIndex>(reference->Body);
        lookup = [&](const TText& text) -> const TText* {
            const std::uint32_t i = names->find(text.Name, scratch);
            return i == kNoString ? nullptr : &reference->Body[i];
        };
    }
    return format.write(ExportSource(table, lookup), options);
}

ApplyPlan PlanImport(const ImportTarget& target, const ExchangeFormatInfo& exchange,
                     const std::string& fileName, char separator) {
    const std::vector<std::uint8_t> bytes = LoadFile(fileName);
    ImportOptions importOptions;
    importOptions.separator = separator;
    std::vector<ImportRow> rows;
    try {
        rows = exchange.read(bytes, importOptions);
    } catch (const ExchangeError& e) {
        throw ExchangeError("\"" + fileName + "\", " + e.what());
    }

    const NameIndex names(target.document.Body);
    std::string scratch;
    StoreCheck store(CheckTarget{target.format.id, target.ansiMode, 0});
    ApplyOptions options;
    options.find = [&](std::string_view name) -> std::optional<std::uint32_t> {
        const std::uint32_t i = names.find(name, scratch);
        return i == kNoString ? std::nullopt : std::optional<std::uint32_t>(i);
    };
    options.refuse = [&](StringView text, std::uint32_t k, const TTextContainer& proposed) {
        return store.refuses(text, k, proposed);
    };
    options.applyExtras = exchange.carriesExtras && target.format.hasExtraValues;
    options.canAddValues = target.format.storesSeveralValues;
    return BuildApplyPlan(target.document, rows, options);
}

} // namespace vste::ui

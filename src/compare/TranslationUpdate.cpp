// SPDX-License-Identifier: MIT
#include "compare/TranslationUpdate.h"

#include <future>

#include "compare/NameMatch.h"
#include "compare/TableDiff.h"
#include "core/EmpireAtWarStrings.h"

namespace vste {
namespace {

// How strings of another table are made to fit the translation's format.
class FormatFitter {
public:
    FormatFitter(const TWestwoodStrings& translation, DocumentFormat format,
                 const TCSFBody& strings) {
        const FormatInfo& info = GetFormatInfo(format);
        m_compiled = info.compiledAs == DocumentFormat::CSF;
        m_keyed = info.keysFromNames;
        m_valueTag = translation.Version == 2 ? kValueTagV2 : kValueTagV3;
        m_labelTag = strings.empty() ? kLabelTag : strings.front().Tag;
    }

    // A string taken from the new original.
    void fitAdded(TText& text) const {
        if (m_compiled) {
            text.Tag = m_labelTag;
            for (TTextContainer& v : text.Values) {
                const bool extra = v.HasExtraValue();
                v.Tag = m_valueTag;
                if (extra)
                    v.Tag[0] = kExtraValueMark;
            }
        }
        fitKey(text);
    }

    // A translated string that took the new original's spelling of its name.
    void fitRenamed(TText& text) const { fitKey(text); }

private:
    // Empire at War finds a string by the CRC-32 of its name, kept in the first value's tag.
    void fitKey(TText& text) const {
        if (!m_keyed)
            return;
        if (text.Values.empty())
            text.Values.resize(1);
        text.Values.front().Tag = TEmpireAtWarStrings::KeyForName(text.Name);
    }

    bool m_compiled = false;
    bool m_keyed = false;
    Tag4 m_valueTag{};
    Tag4 m_labelTag{};
};

// `tr`: the translation's strings; `consumable`: the same, when taken strings may be moved out
// of them; null to copy them.
UpdatedTable updateTranslation(const TCSFBody& oldSource, const TCSFBody& newSource,
                               const TWestwoodStrings& translation, DocumentFormat format,
                               const TCSFBody& tr, TCSFBody* consumable,
                               const UpdateOptions& options) {
    // The two pairings read only their tables, so they run side by side.
    std::future<NameMatch> pendingToOld = std::async(
        std::launch::async, [&] { return MatchByName(newSource, oldSource, options.codePage); });
    const NameMatch toTranslation = MatchByName(newSource, tr, options.codePage);
    const NameMatch toOld = pendingToOld.get();
    const FormatFitter fitter(translation, format, tr);

    UpdatedTable result;
    result.body.reserve(newSource.size());
    for (std::uint32_t i = 0; i < newSource.size(); ++i) {
        const TText& source = newSource[i];
        const std::uint32_t t = toTranslation.toB[i];
        if (t == kNoString) {
            TText text = source;
            fitter.fitAdded(text);
            result.body.push_back(std::move(text));
            result.report.added.push_back(i);
            continue;
        }
        TText text = consumable ? std::move((*consumable)[t]) : tr[t];
        if (text.Name != source.Name) {
            text.Name = source.Name;
            fitter.fitRenamed(text);
        }
        result.body.push_back(std::move(text));
        const std::uint32_t o = toOld.toB[i];
        if (o != kNoString && SameValues(oldSource[o], source))
            ++result.report.kept;
        else
            result.report.changed.push_back(i);
    }
    for (std::uint32_t t = 0; t < tr.size(); ++t) {
        if (toTranslation.toA[t] != kNoString)
            continue;
        result.report.removed.push_back(t);
        if (options.keepRemoved)
            result.body.push_back(tr[t]);
    }
    return result;
}

} // namespace

UpdatedTable UpdateTranslation(const TCSFBody& oldSource, const TCSFBody& newSource,
                               const TWestwoodStrings& translation, DocumentFormat format,
                               const UpdateOptions& options) {
    return updateTranslation(oldSource, newSource, translation, format, translation.Body, nullptr,
                             options);
}

UpdatedTable UpdateTranslationConsuming(const TCSFBody& oldSource, const TCSFBody& newSource,
                                        const TWestwoodStrings& translation, DocumentFormat format,
                                        TCSFBody& strings, const UpdateOptions& options) {
    return updateTranslation(oldSource, newSource, translation, format, strings, &strings, options);
}

} // namespace vste

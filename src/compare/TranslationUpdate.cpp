// SPDX-License-Identifier: MIT
#include "compare/TranslationUpdate.h"

#include <future>

#include "compare/NameMatch.h"
#include "compare/TableDiff.h"
#include "core/CompiledStrings.h"
#include "core/EmpireAtWarStrings.h"

namespace vste {
namespace {

std::size_t valueCount(const TCSFBody& body) {
    std::size_t n = 0;
    for (const TText& text : body)
        n += text.Values.size();
    return n;
}

// How strings of another table are made to fit the translation's format.
class FormatFitter {
public:
    explicit FormatFitter(const TWestwoodStrings& translation) {
        m_compiled = dynamic_cast<const TCompiledStrings*>(&translation) != nullptr;
        m_keyed = !m_compiled && dynamic_cast<const TEmpireAtWarStrings*>(&translation) != nullptr;
        m_valueTag = translation.Version == 2 ? kValueTagV2 : kValueTagV3;
        m_labelTag = translation.Body.empty() ? kLabelTag : translation.Body.front().Tag;
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

// `consumable`: the translation's own strings, from which taken strings may be moved; null to
// copy them.
UpdatedTable updateTranslation(const TCSFBody& oldSource, const TCSFBody& newSource,
                               const TWestwoodStrings& translation, TCSFBody* consumable,
                               const UpdateOptions& options) {
    const TCSFBody& tr = translation.Body;
    const std::size_t valuesBefore = valueCount(tr);
    // The two pairings read only their tables, so they run side by side.
    std::future<NameMatch> pendingToOld = std::async(
        std::launch::async, [&] { return MatchByName(newSource, oldSource, options.codePage); });
    const NameMatch toTranslation = MatchByName(newSource, tr, options.codePage);
    const NameMatch toOld = pendingToOld.get();
    const FormatFitter fitter(translation);

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
    // The header field wraps like the 32-bit number it is.
    const std::uint32_t delta = static_cast<std::uint32_t>(valueCount(result.body)) -
                                static_cast<std::uint32_t>(valuesBefore);
    result.stringCount =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(translation.StringCount) + delta);
    return result;
}

} // namespace

UpdatedTable UpdateTranslation(const TCSFBody& oldSource, const TCSFBody& newSource,
                               const TWestwoodStrings& translation, const UpdateOptions& options) {
    return updateTranslation(oldSource, newSource, translation, nullptr, options);
}

UpdatedTable UpdateTranslationConsuming(const TCSFBody& oldSource, const TCSFBody& newSource,
                                        TWestwoodStrings& translation,
                                        const UpdateOptions& options) {
    return updateTranslation(oldSource, newSource, translation, &translation.Body, options);
}

} // namespace vste

// SPDX-License-Identifier: MIT
// Find and Replace: Replace (the current match) and Replace all, each one step of the history.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <utility>

#include "checks/StoreCheck.h"
#include "core/StringUtils.h"
#include "ui/AnsiText.h"
#include "ui/Dialogs.h"
#include "ui/DocumentCommands.h"
#include "ui/FindController.h"
#include "ui/FindPanel.h"
#include "ui/FindResultsModel.h"
#include "ui/MainForm.h"
#include "ui/ProgressBarAdapter.h"

namespace vste::ui {

namespace {

constexpr std::uint32_t kStringsPerStep = 256;
constexpr int kRefusalsListed = 10;

// Marks put around each replacement, so that the one of a single match can be cut out of a
// whole replaced text: they are Unicode noncharacters, which no table holds.
constexpr char16_t kOpenMark = 0xFDD0;
constexpr char16_t kCloseMark = 0xFDD1;

const char* const kReplaceText = QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Replace");
const char* const kReplaceAllText = QT_TRANSLATE_NOOP("vste::ui::TMainForm", "Replace all");

} // namespace

QString FindController::refusalText(const search::StorageRefusal& refusal) const {
    using Kind = search::StorageRefusal::Kind;
    switch (refusal.kind) {
    case Kind::NamesNotStored:
        return tr("this format stores no names");
    case Kind::EmptyName:
        return tr("the name would become empty");
    case Kind::MissingCharacter:
        return tr("a character the code page lacks");
    case Kind::NameTaken:
        return tr("another string has the new name");
    case Kind::UnstorableValue:
        return tr("a value the file cannot store");
    default:
        return QString::fromStdString(refusal.reason);
    }
}

void FindController::replaceCurrent() {
    const std::optional<search::SearchOptions> options = searchOptions();
    if (!options || m_job == Job::Plan)
        return;
    const search::Match* current = m_results->matchAt(m_current);
    if (!current || m_results->stale() || *options != m_searched) {
        // The list does not show this search (yet): find, and show the first match.
        startFind(true);
        return;
    }
    const search::Match match = *current;
    const std::u16string text = m_results->fieldText(match);
    QString problem;
    const std::optional<std::u16string> replaced = replaceOne(match, text, problem);
    if (!replaced) {
        m_form.showError(problem);
        return;
    }
    const TWestwoodStrings& document = m_watched->document();
    std::vector<TFieldEdit> edits{search::ChangeEdit(document, match.stringIndex, match.valueIndex,
                                                     match.field, *replaced,
                                                     m_results->codePage())};
    m_changing = true;
    m_form.push(std::make_unique<FieldEditsCommand>(*m_watched, kReplaceText, std::move(edits)));
    m_changing = false;
    const bool renamed = match.field == search::Field::Name;
    m_form.showTouched({static_cast<int>(match.stringIndex),
                        match.valueIndex > 0 ? static_cast<int>(match.valueIndex) - 1 : 0,
                        renamed});
    if (renamed)
        m_results->setCategories(m_form.CurrentCategories);
    refreshField(match, match.start16 + static_cast<std::uint32_t>(replaced->size() +
                                                                   match.length16 - text.size()));
}

std::optional<std::u16string> FindController::replaceOne(const search::Match& match,
                                                         const std::u16string& text,
                                                         QString& problem) {
    if (match.inReference) {
        problem = tr("The reference cannot be changed; go to the next match in the document.");
        return std::nullopt;
    }
    const std::u16string replacement = m_panel->replacement();
    for (const std::u16string* part : {&text, &replacement})
        if (part->find_first_of(std::u16string{kOpenMark, kCloseMark}) != std::u16string::npos) {
            problem = tr("This text holds characters that Replace cannot handle; use Replace "
                         "all.");
            return std::nullopt;
        }
    try {
        search::Matcher matcher(m_searched);
        std::vector<search::Span> spans;
        matcher.find(text, spans);
        std::size_t k = 0;
        while (k < spans.size() &&
               !(spans[k].start == match.start16 && spans[k].length == match.length16))
            ++k;
        if (k == spans.size()) {
            problem = tr("This match is no longer in the text; search again.");
            return std::nullopt;
        }
        matcher.setReplacement(kOpenMark + replacement + kCloseMark);
        std::size_t count = 0;
        const std::u16string marked = matcher.replace(text, count);
        std::size_t open = 0;
        for (std::size_t n = 0; n <= k; ++n)
            open = marked.find(kOpenMark, n == 0 ? 0 : open + 1);
        const std::size_t close = marked.find(kCloseMark, open);
        const std::u16string piece = marked.substr(open + 1, close - open - 1);
        std::u16string result =
            text.substr(0, match.start16) + piece + text.substr(match.start16 + match.length16);
        const search::FieldWalker walker(m_searched, m_watched->format().id, m_results->codePage());
        const search::StorageRefusal refusal = search::StorageProblem(
            match.field, match.valueIndex, result, walker.namesStored(), walker.codec());
        if (refusal) {
            problem = tr("Not replaced: %1.").arg(refusalText(refusal));
            return std::nullopt;
        }
        return result;
    } catch (const std::runtime_error& error) {
        problem = QString::fromUtf8(error.what());
        return std::nullopt;
    }
}

// Lists the matches of one field again after it changed, and shows the first one that comes
// after `after` (code units of the new text), or the next result.
void FindController::refreshField(const search::Match& match, std::uint32_t after) {
    const std::u16string text = m_results->fieldText(match);
    std::vector<search::Match> fresh;
    try {
        search::Matcher matcher(m_searched);
        std::vector<search::Span> spans;
        matcher.find(text, spans);
        for (const search::Span& span : spans) {
            search::Match found = match;
            found.start = search::CodePointOffset(text, span.start);
            found.length =
                search::CodePointOffset(std::u16string_view(text).substr(span.start), span.length);
            found.start16 = span.start;
            found.length16 = span.length;
            fresh.push_back(found);
        }
    } catch (const std::runtime_error&) {
    }
    int row = m_results->replaceField(match, fresh);
    for (const search::Match& found : fresh)
        if (found.start16 < after)
            ++row;
    updateCount();
    if (m_results->rows() == 0) {
        m_current = -1;
        return;
    }
    goToResult(row < m_results->rows() ? row : 0);
}

void FindController::replaceAll() {
    if (m_job != Job::None)
        finishJob({});
    const std::optional<search::SearchOptions> options = searchOptions();
    if (!options) {
        emit replaceAllFinished();
        return;
    }
    try {
        m_replacer = std::make_unique<search::Replacer>(
            m_watched->document(), m_watched->format().id, *options, m_panel->replacement());
        // New values are judged as an import and a save judge them.
        auto store = std::make_shared<StoreCheck>(
            CheckTarget{m_watched->format().id, m_watched->ansiMode(), 0});
        m_replacer->checkValues(
            [store](StringView text, std::uint32_t valueIndex, const TTextContainer& proposed) {
                return store->problem(text, valueIndex, proposed);
            });
    } catch (const search::PatternError& error) {
        m_panel->showPatternError(
            tr("Invalid replacement: %1").arg(QString::fromUtf8(error.what())));
        emit replaceAllFinished();
        return;
    }
    m_searched = *options;
    m_plan = {};
    m_job = Job::Plan;
    m_panel->StopButton->setEnabled(true);
    m_form.m_progress->SetMax(static_cast<int>(m_replacer->total()));
    runSlice();
}

void FindController::planSlice() {
    bool more = true;
    try {
        do
            more = m_replacer->next(m_plan, kStringsPerStep);
        while (more && m_clock.elapsed() < m_sliceMs);
    } catch (const std::runtime_error& error) {
        finishJob(tr("Replace all stopped: %1").arg(QString::fromUtf8(error.what())));
        return;
    }
    m_form.m_progress->SetPosition(static_cast<int>(m_replacer->position()));
    if (more) {
        updateCount(tr("Planning the replacements..."));
        if (!m_slices.isActive())
            m_slices.start();
        return;
    }
    m_slices.stop();
    m_replacer.reset();
    m_form.m_progress->reset();
    m_panel->StopButton->setEnabled(false);
    confirmPlan();
}

void FindController::confirmPlan() {
    search::ReplacePlan plan = std::move(m_plan);
    m_plan = {};
    m_job = Job::None;
    const TWestwoodStrings& document = m_watched->document();
    QStringList refused;
    for (const search::Refusal& refusal : plan.refused) {
        if (refused.size() == kRefusalsListed) {
            refused << tr("and %1 more").arg(plan.refused.size() - kRefusalsListed);
            break;
        }
        refused << AnsiToQString(document.Body[refusal.stringIndex].Name) + QStringLiteral(": ") +
                       refusalText(refusal);
    }
    const QString refusedText = refused.isEmpty()
                                    ? QString()
                                    : tr("%1 strings stay unchanged:").arg(plan.refused.size()) +
                                          QLatin1Char('\n') + refused.join(QLatin1Char('\n'));
    if (plan.replacements == 0) {
        if (!refused.isEmpty())
            m_form.showError(tr("Nothing can be replaced.") + QStringLiteral("\n\n") + refusedText);
        updateCount(tr("Nothing replaced."));
        emit replaceAllFinished();
        return;
    }
    QString question =
        tr("%1 replacements in %2 strings.").arg(plan.replacements).arg(plan.strings);
    if (!refusedText.isEmpty())
        question += QStringLiteral("\n\n") + refusedText;
    question += QStringLiteral("\n\n") + tr("Replace them all?");
    if (!m_form.m_dialogs->question(&m_form, question)) {
        updateCount(tr("Replace all cancelled."));
        emit replaceAllFinished();
        return;
    }
    bool renamed = false;
    for (const search::Change& change : plan.changes)
        renamed = renamed || change.field == search::Field::Name;
    const search::Change first = plan.changes.front();
    const std::size_t replacements = plan.replacements, strings = plan.strings;
    std::vector<TFieldEdit> edits = search::PlanEdits(document, plan);
    plan = {};
    m_changing = true;
    m_form.push(std::make_unique<FieldEditsCommand>(*m_watched, kReplaceAllText, std::move(edits)));
    m_changing = false;
    m_form.showTouched({static_cast<int>(first.stringIndex),
                        first.valueIndex > 0 ? static_cast<int>(first.valueIndex) - 1 : 0,
                        renamed});
    m_note = tr("Replaced: %1 replacements in %2 strings").arg(replacements).arg(strings);
    // What is left to find (the refused strings, or matches the replacements made) is listed.
    startFind(false);
    emit replaceAllFinished();
}

} // namespace vste::ui

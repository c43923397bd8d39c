// SPDX-License-Identifier: MIT
#include "ui/ExchangeController.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QThread>
#include <QUndoStack>

#include <algorithm>
#include <exception>
#include <memory>

#include "core/FileIO.h"
#include "ui/Dialogs.h"
#include "ui/ExchangeCommand.h"
#include "ui/ExchangeWork.h"
#include "ui/MainForm.h"
#include "ui/MessageText.h"

namespace vste::ui {

namespace {

constexpr const char* kContext = "vste::ui::ExchangeController";

// The export dialog's filters, in order: CSV twice, since spreadsheet programs set to a language
// whose decimal mark is a comma expect semicolons.
struct ExportChoice {
    ExchangeFormat format;
    char separator;
    const char* description;
};
const ExportChoice kExportChoices[] = {
    {ExchangeFormat::Csv, ',',
     QT_TRANSLATE_NOOP("vste::ui::ExchangeController", "CSV, comma-separated")},
    {ExchangeFormat::Csv, ';',
     QT_TRANSLATE_NOOP("vste::ui::ExchangeController", "CSV, semicolon-separated")},
    {ExchangeFormat::Xlsx, ',',
     QT_TRANSLATE_NOOP("vste::ui::ExchangeController", "Excel workbook")},
    {ExchangeFormat::Po, ',', QT_TRANSLATE_NOOP("vste::ui::ExchangeController", "gettext PO file")},
    {ExchangeFormat::Xliff, ',',
     QT_TRANSLATE_NOOP("vste::ui::ExchangeController", "XLIFF 1.2 file")},
};
// The import dialog's filters after the first, which shows every exchange file.
const ExportChoice kImportChoices[] = {kExportChoices[0], kExportChoices[2], kExportChoices[3],
                                       kExportChoices[4]};
constexpr int kExportCount = static_cast<int>(std::size(kExportChoices));
constexpr int kImportCount = static_cast<int>(std::size(kImportChoices)) + 1;

// Names listed in the report's details, per list; a million missing names would only hide the
// counts.
constexpr std::size_t kListedNames = 1000;

const ExchangeFormatInfo& InfoOf(ExchangeFormat format) {
    return ExchangeFormats()[static_cast<std::size_t>(format)];
}

QString Patterns(const ExchangeFormatInfo& info) {
    QStringList patterns;
    for (std::string_view extension : info.extensions)
        patterns << QStringLiteral("*") + QString::fromLatin1(extension.data(), extension.size());
    return patterns.join(QStringLiteral("; "));
}

QString Filter(const ExportChoice& choice) {
    return QCoreApplication::translate(kContext, choice.description) + QLatin1Char('|') +
           Patterns(InfoOf(choice.format));
}

std::string LocalName(const QString& fileName) {
    return fileName.toStdString();
}

} // namespace

ExchangeController::ExchangeController(TMainForm& window, Dialogs& dialogs)
    : QObject(&window), m_window(window), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("ExchangeController"));
    m_export = new QAction(this);
    m_export->setObjectName(QStringLiteral("ExportExchange"));
    m_import = new QAction(this);
    m_import->setObjectName(QStringLiteral("ImportTranslation"));
    connect(m_export, &QAction::triggered, this, &ExchangeController::exportClick);
    connect(m_import, &QAction::triggered, this, &ExchangeController::importClick);
    window.installEventFilter(this);
    retranslate();
    updateActions();
}

ExchangeController::~ExchangeController() {
    if (m_worker != nullptr) {
        m_worker->wait();
        delete m_worker;
    }
}

QMessageBox* ExchangeController::reportBox() const {
    return m_reportBox;
}

QProgressDialog* ExchangeController::progressBox() const {
    return m_progress;
}

void ExchangeController::addActionsTo(QMenu* menu, QAction* before) {
    // Into the group above `before`: before the separator that opens its group.
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = before ? actions.indexOf(before) : -1;
    QAction* anchor = before;
    if (at > 0 && actions[at - 1]->isSeparator())
        anchor = actions[at - 1];
    menu->insertAction(anchor, m_export);
    menu->insertAction(anchor, m_import);
    connect(menu, &QMenu::aboutToShow, this, &ExchangeController::updateActions);
}

void ExchangeController::retranslate() {
    m_export->setText(tr("Export..."));
    m_import->setText(tr("Import translation..."));
    if (m_reportBox && m_report) {
        m_reportBox->setWindowTitle(tr("Import translation"));
        m_reportBox->setText(reportText());
        m_reportBox->setDetailedText(reportDetails());
    }
}

void ExchangeController::updateActions() {
    const bool ready = m_window.openDocument() != nullptr && !busy();
    m_export->setEnabled(ready);
    m_import->setEnabled(ready);
}

bool ExchangeController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::LanguageChange)
        retranslate();
    // The worker reads the window's document: the window stays until it is done.
    if (watched == &m_window && event->type() == QEvent::Close && busy()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ExchangeController::exportClick() {
    OpenDocument* document = m_window.openDocument();
    if (document == nullptr || busy())
        return;
    QStringList filters;
    for (const ExportChoice& choice : kExportChoices)
        filters << Filter(choice);
    const int remembered = std::clamp(m_exportFilter, 1, kExportCount);
    // First beside the table, under its name.
    const QFileInfo source(document->fileName());
    const QString suggested =
        m_exportFileName.isEmpty()
            ? source.absoluteDir().filePath(
                  source.completeBaseName() +
                  QString::fromLatin1(InfoOf(kExportChoices[remembered - 1].format).extensions[0]))
            : m_exportFileName;
    const auto choice = m_dialogs.saveFile(&m_window, tr("Export"), filters, suggested, remembered);
    if (!choice || choice->fileName.isEmpty())
        return;
    const ExportChoice& chosen =
        kExportChoices[std::clamp(choice->filterIndex, 1, kExportCount) - 1];
    QString fileName = choice->fileName;
    // The extension the user typed wins; without a known one, the chosen filter decides.
    const ExchangeFormatInfo* format = FindExchangeFormatByFileName(LocalName(fileName));
    if (format == nullptr) {
        format = &InfoOf(chosen.format);
        fileName += QString::fromLatin1(format->extensions[0]);
    }
    m_exportFileName = fileName;
    m_exportFilter = choice->filterIndex;

    ExportOptions options;
    options.separator = format->id == chosen.format ? chosen.separator : ',';
    options.original = LocalName(QFileInfo(document->fileName()).fileName());
    auto bytes = std::make_shared<std::vector<std::uint8_t>>();
    const TWestwoodStrings* table = &document->document();
    const TWestwoodStrings* reference = m_reference;
    runInBackground(
        tr("Exporting. Please Stand By..."),
        [=] { *bytes = ExportTable(*table, reference, *format, options); },
        [this, bytes, fileName](const QString& failure) {
            QString error = failure;
            if (error.isEmpty()) {
                try {
                    StoreFileAtomically(LocalName(fileName), *bytes);
                } catch (const std::exception& e) {
                    error = MessageText::ofError(e);
                }
            }
            if (!error.isEmpty()) {
                m_dialogs.error(&m_window, tr("Cannot export to %1:\n%2").arg(fileName, error));
                return;
            }
            m_window.setStatusText(
                [name = QFileInfo(fileName).fileName()] { return tr("Exported to %1").arg(name); });
        });
}

void ExchangeController::importClick() {
    QPointer<OpenDocument> document = m_window.openDocument();
    if (document == nullptr || busy())
        return;
    QStringList filters{tr("Exchange files") + QLatin1Char('|') +
                        QString::fromStdString(ExchangeExtensionList("*", "; "))};
    for (const ExportChoice& choice : kImportChoices)
        filters << Filter(choice);
    const QString suggested = m_importFileName.isEmpty()
                                  ? QFileInfo(document->fileName()).absolutePath()
                                  : m_importFileName;
    const auto choice = m_dialogs.openFile(&m_window, tr("Import translation"), filters, suggested,
                                           std::clamp(m_importFilter, 1, kImportCount));
    if (!choice || choice->fileName.isEmpty())
        return;
    const QString fileName = choice->fileName;
    m_importFileName = fileName;
    m_importFilter = choice->filterIndex;
    if (!QFileInfo(fileName).isFile()) {
        m_dialogs.error(&m_window, tr("The file %1 does not exist.").arg(fileName));
        return;
    }
    const ExchangeFormatInfo* format = FindExchangeFormatByFileName(LocalName(fileName));
    if (format == nullptr && choice->filterIndex >= 2 && choice->filterIndex <= kImportCount)
        format = &InfoOf(kImportChoices[choice->filterIndex - 2].format);
    if (format == nullptr) {
        m_dialogs.error(
            &m_window, tr("Cannot tell the exchange format of %1 from its extension (%2).")
                           .arg(fileName, QString::fromStdString(ExchangeExtensionList("", ", "))));
        return;
    }

    auto plan = std::make_shared<ApplyPlan>();
    const ImportTarget target{document->document(), document->format(), document->ansiMode()};
    runInBackground(
        tr("Reading the translation. Please Stand By..."),
        [=] { *plan = PlanImport(target, *format, LocalName(fileName), 0); },
        [this, plan, document, fileName](const QString& error) {
            if (!error.isEmpty()) {
                m_dialogs.error(&m_window, tr("Cannot import %1:\n%2").arg(fileName, error));
                return;
            }
            if (document == nullptr)
                return;
            m_report = plan->report;
            if (!plan->changes.empty() || !plan->additions.empty()) {
                // Straight onto the history, so the window shows the change as it shows a redo.
                document->undoStack().push(
                    new ImportTranslationCommand(*document, std::move(*plan)));
            }
            m_window.setStatusText([name = QFileInfo(fileName).fileName()] {
                return tr("Translation imported from %1").arg(name);
            });
            showReport();
        });
}

void ExchangeController::runInBackground(const QString& label, std::function<void()> work,
                                         std::function<void(const QString&)> done) {
    m_workError.clear();
    m_done = std::move(done);
    m_worker = QThread::create([this, work = std::move(work)] {
        try {
            work();
        } catch (const std::exception& e) {
            m_workError = MessageText::ofError(e);
        }
    });
    connect(m_worker, &QThread::finished, this, &ExchangeController::workerFinished);

    m_progress = new QProgressDialog(label, tr("Cancel"), 0, 0, &m_window);
    m_progress->setObjectName(QStringLiteral("ExchangeProgress"));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(0);
    m_progress->setAutoClose(false);
    m_progress->show();
    updateActions();
    m_worker->start();
}

// The worker cannot be stopped half-way; Cancel discards what it made, so nothing changes.
void ExchangeController::workerFinished() {
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    const bool cancelled = m_progress && m_progress->wasCanceled();
    delete m_progress;
    const auto done = std::move(m_done);
    m_done = nullptr;
    if (cancelled)
        m_window.setStatusText([] { return tr("Cancelled"); });
    else
        done(m_workError);
    updateActions();
    emit finished();
}

void ExchangeController::showReport() {
    if (!m_reportBox) {
        m_reportBox = new QMessageBox(&m_window);
        m_reportBox->setObjectName(QStringLiteral("ExchangeReport"));
        m_reportBox->setIcon(QMessageBox::Information);
        m_reportBox->setStandardButtons(QMessageBox::Ok);
        m_reportBox->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_reportBox->setWindowTitle(tr("Import translation"));
    m_reportBox->setText(reportText());
    m_reportBox->setDetailedText(reportDetails());
    m_reportBox->open();
}

QString ExchangeController::reportText() const {
    return tr("Updated: %1\nUnchanged: %2\nNot found: %3\nRefused: %4")
        .arg(m_report->updated)
        .arg(m_report->unchanged)
        .arg(m_report->notFound.size())
        .arg(m_report->refused.size());
}

QString ExchangeController::reportDetails() const {
    QStringList lines;
    const auto list = [&](const QString& title, const std::vector<std::string>& names) {
        if (names.empty())
            return;
        lines << title;
        for (std::size_t i = 0; i < std::min(names.size(), kListedNames); ++i)
            lines << QString::fromStdString(names[i]);
        if (names.size() > kListedNames)
            lines << tr("...and %1 more").arg(names.size() - kListedNames);
        lines << QString();
    };
    list(tr("Not found in the table:"), m_report->notFound);
    list(tr("Refused, since the file's format cannot store the new text:"), m_report->refused);
    std::vector<std::string> missing;
    for (const MissingValue& m : m_report->missingValues)
        missing.push_back(tr("%1, value %2")
                              .arg(QString::fromStdString(m.name))
                              .arg(m.valueNumber)
                              .toStdString());
    list(tr("Skipped, since the string has no such value:"), missing);
    return lines.join(QLatin1Char('\n')).trimmed();
}

} // namespace vste::ui

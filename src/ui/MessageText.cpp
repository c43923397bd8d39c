// SPDX-License-Identifier: MIT
#include "ui/MessageText.h"

#include <QStringList>

#include <cerrno>
#include <iterator>

#include "core/Errors.h"

namespace vste::ui {
namespace {

struct Pattern {
    MessageId id;
    const char* english;
};

// The English of every worded id, exactly as the engine has it (a test compares them), marked
// for translation in this class's context.
constexpr Pattern kPatterns[] = {
    {MessageId::StreamReadError, QT_TRANSLATE_NOOP("vste::ui::MessageText", "Stream read error")},
    {MessageId::NotStrText,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "The file is not STR text: %1")},
    {MessageId::NotStrTextCsfSignature,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "it begins with \" FSC\", the signature of a compiled CSF table; open it as CSF")},
    {MessageId::NotStrTextZeroByte,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "it holds a zero byte (at offset %1), as binary files do and text does not")},
    {MessageId::CannotOpenFile,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "Cannot open file \"%1\". %2")},
    {MessageId::CannotCreateFile,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "Cannot create file \"%1\". %2")},
    {MessageId::NotRegularFile,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "It is %1, not a regular file.")},
    {MessageId::KindFifo, QT_TRANSLATE_NOOP("vste::ui::MessageText", "a FIFO")},
    {MessageId::KindSocket, QT_TRANSLATE_NOOP("vste::ui::MessageText", "a socket")},
    {MessageId::KindDevice, QT_TRANSLATE_NOOP("vste::ui::MessageText", "a device")},
    {MessageId::KindSpecialFile, QT_TRANSLATE_NOOP("vste::ui::MessageText", "a special file")},
    {MessageId::SystemError, QT_TRANSLATE_NOOP("vste::ui::MessageText", "%2")},
    {MessageId::FileInUse,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "The file is in use by another program.")},
    {MessageId::FileReadOnly, QT_TRANSLATE_NOOP("vste::ui::MessageText", "The file is read-only.")},
    {MessageId::StrCannotSave,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "The string \"%1\" (number %2) cannot be saved as STR: %3")},
    {MessageId::StrExtraNotSpeech,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "its extra value \"%1\" holds characters other than letters, digits "
                       "and _, which STR cannot carry")},
    {MessageId::StrValueHoldsNul,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "its value holds U+0000, and a file holding a zero byte is not STR text")},
    {MessageId::SaveAsStrNeedsCsf,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "Only a CSF or STR document can be saved as STR text")},
    {MessageId::WestwoodTooBig,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "The string '%1' does not fit: a Westwood string file cannot exceed 65536 bytes")},
    {MessageId::NameNotInteger,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "'%1' is not a valid integer value")},
    {MessageId::NameNotNumber,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "The string \"%1\" cannot be saved: its name must be a number from 0 to %2")},
    {MessageId::TooBigFor32BitOffsets,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "The string \"%1\" cannot be saved: the file would be too big for 32-bit offsets")},
    {MessageId::TooBigFor16BitOffsets,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "The string \"%1\" cannot be saved: the file would be too big for 16-bit offsets")},
    {MessageId::TooManyFor16BitOffsets,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "The document cannot be saved: %1 strings are too many for 16-bit offsets")},
    {MessageId::ValueTooLongFor16BitSize,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "The string \"%1\" cannot be saved: its value of %2 characters "
                       "is too long for a 16-bit size")},
    {MessageId::Dune2000NameTooLong,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "The name of the string '%1' is too long: a Dune 2000 name holds at "
                       "most 65534 bytes")},
    {MessageId::Dune2000ValueTooLong,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "The value of the string '%1' is too long: a Dune 2000 value holds "
                       "at most 65534 bytes")},
    {MessageId::StrNameEmpty, QT_TRANSLATE_NOOP("vste::ui::MessageText", "the name is empty")},
    {MessageId::StrNameLineEnd,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the name holds a line end")},
    {MessageId::StrNameNul,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the name holds a NUL character")},
    {MessageId::StrNameLeadingSpace,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the name begins with a space")},
    {MessageId::StrNameLeadingTab,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the name begins with a tab")},
    {MessageId::StrNameTrailingSpace,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the name ends with a space")},
    {MessageId::StrNameTrailingTab,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the name ends with a tab")},
    {MessageId::StrNameCommentMark,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the name holds //")},
    {MessageId::StrNameEndKeyword, QT_TRANSLATE_NOOP("vste::ui::MessageText", "the name is END")},
    {MessageId::StrNameLeadingQuote,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the name begins with a quotation mark")},
    {MessageId::StrNameReadsAsBlank,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "the name reads as a blank line (it has no letter, digit or any of \"$&'+-./:?[]_)")},
    {MessageId::StrNameReadsAsComment,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "the name reads as a comment (leaving out all but letters, digits "
                       "and \"$&'+-./:?[]_, it begins with //)")},
    {MessageId::FileCsf, QT_TRANSLATE_NOOP("vste::ui::MessageText", "a CSF file")},
    {MessageId::FileStr, QT_TRANSLATE_NOOP("vste::ui::MessageText", "an STR file")},
    {MessageId::FileEmpireAtWar,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "an Empire at War file")},
    {MessageId::FileDune2000, QT_TRANSLATE_NOOP("vste::ui::MessageText", "a Dune 2000 file")},
    {MessageId::FileWestwood, QT_TRANSLATE_NOOP("vste::ui::MessageText", "a Westwood string file")},
    {MessageId::FileLiquid, QT_TRANSLATE_NOOP("vste::ui::MessageText", "a Liquid text file")},
    {MessageId::FileBladeRunner, QT_TRANSLATE_NOOP("vste::ui::MessageText", "a Blade Runner file")},
    {MessageId::FileMalcolm,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "a Malcolm's Revenge file")},
    {MessageId::SameName,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "string %1 has the same name")},
    {MessageId::SameNameIgnoringCase,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "string %1 (%2) has the same name ignoring case")},
    {MessageId::DuplicateGameSeesOne,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "%1; the game sees only one of them")},
    {MessageId::DuplicateLookUpFindsOne,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "%1; a look-up by key finds only one of them")},
    {MessageId::NotStrLabel,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "not a valid STR label: %1")},
    {MessageId::KeyNotCrc,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "the key %1 is not the CRC-32 of the name (%2): the game does not find the "
                       "string by its name")},
    {MessageId::NameTooLong,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "the name is %1 bytes long; %2 holds names of at most %3 bytes")},
    {MessageId::TooManyStrings,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "the table has %1 strings; %2 holds at most %3, and this is the first one beyond")},
    {MessageId::FileTooBig,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "with this string the file reaches %1 bytes; the offsets of %2 reach at most %3 bytes")},
    {MessageId::ValueTooLong,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "the value is %1 characters long; %2 holds values of at most %3")},
    {MessageId::ExtraTooLong,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "the extra value is %1 bytes long; %2 holds extra values of at most %3 bytes")},
    {MessageId::NulEndsSingleByteValue,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "U+0000 ends the value when it is written as single bytes: the "
                       "text from there on is lost")},
    {MessageId::NulInStrText,
     QT_TRANSLATE_NOOP(
         "vste::ui::MessageText",
         "U+0000 cannot be written in STR text: a file holding a zero byte is not read as text")},
    {MessageId::CodePageCannotHold,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "code page %1 cannot hold %2")},
    {MessageId::CharacterDropped, QT_TRANSLATE_NOOP("vste::ui::MessageText", "%1 (dropped)")},
    {MessageId::CharacterWrittenAs,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "%1 (written as '%2')")},
    {MessageId::MoreCharacters,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "and %1 more characters")},
    {MessageId::ByteEndsStrFile,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "%1 is the byte 0xFF in code page %2, which the games' STR reader takes "
                       "for the end of the file: every string after this one is lost")},
    {MessageId::StrLineTooLong,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "the value line is %1 bytes long; the games' STR reader keeps %2 bytes of "
                       "a line and garbles the rest")},
    {MessageId::ExtraEndsInDigit,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "the extra value %1 ends in a digit, which the games' STR reader changes")},
    {MessageId::ExtraHoldsOtherCharacters,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "the extra value %1 holds characters other than letters, "
                       "digits and '_', which the games' STR reader changes")},
    {MessageId::ValueEmpty, QT_TRANSLATE_NOOP("vste::ui::MessageText", "the value is empty")},
    {MessageId::ValueBeginsWithBlanks,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the value begins with spaces or tabs")},
    {MessageId::ValueEndsWithBlanks,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the value ends with spaces or tabs")},
    {MessageId::ValueBeginsAndEndsWithBlanks,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the value begins and ends with spaces or tabs")},
    {MessageId::UnlikeReference,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "%1, unlike the reference's")},
    {MessageId::PlaceholdersDiffer,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "the placeholders %1 do not match the reference's %2 (plain ones are "
                       "taken in order and must match one for one)")},
    {MessageId::NoPlaceholders, QT_TRANSLATE_NOOP("vste::ui::MessageText", "none")},
    {MessageId::LineBreaksDiffer,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "the value has %1 line breaks, the reference's %2")},
    {MessageId::SameAsReference,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the value is the same as the reference's")},
    {MessageId::NotInReference,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "the reference has no string of this name")},
    {MessageId::OnlyInReference,
     QT_TRANSLATE_NOOP("vste::ui::MessageText", "only the reference has a string of this name")},
    {MessageId::UnknownWord, QT_TRANSLATE_NOOP("vste::ui::MessageText", "unknown word %1")},
    {MessageId::WithSuggestions, QT_TRANSLATE_NOOP("vste::ui::MessageText", "%1; suggestions: %2")},
    {MessageId::GlossaryTermMissing,
     QT_TRANSLATE_NOOP("vste::ui::MessageText",
                       "the reference says %1, which the glossary translates as %2; the "
                       "value lacks it")},
};

// Replaces %1..%9 of `pattern` by `args` in one pass, through the engine's own filling, so that
// an argument holding "%2" stays as it is.
QString Fill(const QString& pattern, const QStringList& args) {
    std::vector<std::string> utf8;
    utf8.reserve(static_cast<std::size_t>(args.size()));
    for (const QString& arg : args)
        utf8.push_back(arg.toStdString());
    return QString::fromStdString(FillPattern(pattern.toStdString(), utf8));
}

} // namespace

const char* MessageText::source(MessageId id) {
    for (const Pattern& p : kPatterns)
        if (p.id == id)
            return p.english;
    return nullptr;
}

QString MessageText::pattern(MessageId id) {
    const char* english = source(id);
    return english ? QCoreApplication::translate("vste::ui::MessageText", english) : QString();
}

QString MessageText::systemReason(int err, const QString& fallback) {
    // The common reasons, in the words of the C library's English messages.
    switch (err) {
    case ENOENT:
        return tr("No such file or directory.");
    case EACCES:
        return tr("Permission denied.");
    case EPERM:
        return tr("Operation not permitted.");
    case EISDIR:
        return tr("Is a directory.");
    case ENOTDIR:
        return tr("Not a directory.");
    case EEXIST:
        return tr("File exists.");
    case ENOSPC:
        return tr("No space left on device.");
    case EROFS:
        return tr("Read-only file system.");
    case ELOOP:
        return tr("Too many levels of symbolic links.");
    case ENAMETOOLONG:
        return tr("File name too long.");
    case EIO:
        return tr("Input/output error.");
    default:
        return fallback;
    }
}

QString MessageText::text(const Message& message) {
    if (message.id == MessageId::Verbatim)
        return QString::fromStdString(message.text);
    QStringList args;
    for (const Message& arg : message.args)
        args << text(arg);
    if (message.id == MessageId::List)
        return args.join(QStringLiteral(", "));
    if (message.id == MessageId::SystemError && args.size() == 2)
        return systemReason(args[0].toInt(), args[1]);
    return Fill(pattern(message.id), args);
}

QString MessageText::ofError(const std::exception& error) {
    if (const auto* document = dynamic_cast<const DocumentError*>(&error))
        return text(document->message());
    return QString::fromUtf8(error.what());
}

} // namespace vste::ui

// SPDX-License-Identifier: MIT
// Real string files from the optional folder named by the CMake variable VSTE_CORPUS_DIR: each
// file of a known extension reads or is refused with a read error, and what it saves as reads
// back to the same bytes again.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Errors.h"
#include "formats/Registry.h"
#include "support/TestSupport.h"

namespace vste {
namespace {

using test::CorpusDir;

TEST(RealFilesTest, EveryRealFileReadsOrIsRefusedAndItsSavedBytesAreStable) {
    const std::string dir = CorpusDir();
    if (dir.empty())
        GTEST_SKIP() << "no folder of real files: set the CMake variable VSTE_CORPUS_DIR to one";
    NullProgress progress;
    int tried = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        const FormatInfo* format =
            entry.is_regular_file() ? FindFormatByFileName(entry.path().string()) : nullptr;
        if (format == nullptr)
            continue;
        SCOPED_TRACE(entry.path().string());
        ++tried;
        ReadResult read;
        try {
            read = ReadDocumentFile(format->id, entry.path().string(), progress);
        } catch (const ReadError&) {
            continue; // a damaged file refused with a clean error is all that is asked of it
        }
        const auto saved = WriteDocument(format->id, *read.document, progress, read.singleByte);
        ReadResult again = ReadDocument(format->id, saved, progress);
        EXPECT_EQ(WriteDocument(format->id, *again.document, progress, again.singleByte), saved);
    }
    if (tried == 0)
        GTEST_SKIP() << "no file of a known format in " << dir;
}

} // namespace
} // namespace vste

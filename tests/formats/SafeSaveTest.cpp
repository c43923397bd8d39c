// SPDX-License-Identifier: MIT
// Every writer saves through a temporary file and a rename: when the save fails (missing folder,
// folder that cannot be written, a directory in the way, the disk filling up halfway), it reports
// a FileError naming the file, the previous file keeps every byte, and no temporary file is left.
// A save through a symbolic link replaces the file the link names; a read-only file is refused;
// a replaced file keeps its mode, owner and group. A FIFO, socket or device in the way is refused.
// The same promises on Windows, where modes, owners, links and special files do not apply, are
// tested in SafeSaveWindowsTest.cpp.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/Errors.h"
#include "core/FileIO.h"
#include "formats/Registry.h"
#include "support/SampleFiles.h"
#include "support/TestSupport.h"

using namespace vste;
using vste::test::Bytes;
using vste::test::ReadBytes;
using vste::test::TempDir;
using vste::test::WriteBytes;
namespace fs = std::filesystem;

namespace {

// One way of storing a file: a format's own save operation on a sample document, or the atomic
// store itself.
struct Writer {
    const char* name;
    bool viaStore; // StoreFileAtomically directly
    DocumentFormat format;
    Bytes (*sample)();
};

const Writer kWriters[] = {
    {"store", true, DocumentFormat::CSF, nullptr},
    {"csf", false, DocumentFormat::CSF, samples::CsfEnglish},
    {"str", false, DocumentFormat::STR, samples::StrSample},
    {"eaw", false, DocumentFormat::EmpireAtWar, samples::EmpireAtWarSample},
    {"uib", false, DocumentFormat::Dune2000, samples::Dune2000Sample},
    {"westwood", false, DocumentFormat::Westwood, samples::WestwoodEditorForm},
    {"lte", false, DocumentFormat::Liquid, samples::LiquidSample},
    {"trr", false, DocumentFormat::BladeRunner, samples::BladeRunnerSample},
    {"tre", false, DocumentFormat::Malcolm, samples::MalcolmSample},
};

const Bytes kPrevious = {'p', 'r', 'e', 'v', 'i', 'o', 'u', 's', '\n', 0, 0xFF};

class SafeSaveTest : public ::testing::TestWithParam<Writer> {
protected:
    void SetUp() override {
        const Writer& w = GetParam();
        fs::permissions(m_dir.path(), fs::perms::owner_all | fs::perms::group_read |
                                          fs::perms::group_exec | fs::perms::others_read |
                                          fs::perms::others_exec);
        if (w.viaStore) {
            // Larger than a page, so that a size limit stops it in the middle.
            m_expected.resize(10000);
            for (std::size_t i = 0; i < m_expected.size(); ++i)
                m_expected[i] = static_cast<std::uint8_t>(i * 7);
            return;
        }
        NullProgress progress;
        m_doc = ReadDocument(w.format, w.sample(), progress).document;
        ASSERT_NE(m_doc, nullptr);
        m_expected = WriteDocument(w.format, *m_doc, progress, false);
    }

    // Saves the way the window does for this format.
    void Save(const std::string& path) {
        const Writer& w = GetParam();
        NullProgress progress;
        if (w.viaStore)
            StoreFileAtomically(path, m_expected);
        else if (w.format == DocumentFormat::STR)
            m_doc->SaveToSTR(path, progress);
        else
            m_doc->SaveToFile(path, progress, false);
    }

    std::string Target(const fs::path& folder) const {
        return (folder / (std::string("table.") + GetParam().name)).string();
    }

    static std::vector<std::string> Entries(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs `save` in a child process after `prepare` (limits, identity), and returns what the
    // child saw: "FileError: <message>", "no error", or another exception's text.
    static std::string InChild(const std::function<void()>& prepare,
                               const std::function<void()>& save) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return "pipe failed";
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(pipeFds[0]);
            std::string report;
            try {
                prepare();
                save();
                report = "no error";
            } catch (const FileError& e) {
                report = std::string("FileError: ") + e.what();
            } catch (const std::exception& e) {
                report = std::string("other error: ") + e.what();
            }
            (void)!::write(pipeFds[1], report.data(), report.size());
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        std::string report;
        char buf[512];
        ssize_t n;
        while ((n = ::read(pipeFds[0], buf, sizeof buf)) > 0)
            report.append(buf, static_cast<std::size_t>(n));
        ::close(pipeFds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return "child died: " + report;
        return report;
    }

    TempDir m_dir;
    std::unique_ptr<TWestwoodStrings> m_doc;
    Bytes m_expected;
};

TEST_P(SafeSaveTest, ReplacesTheFileWithTheEncodedBytes) {
    const std::string path = Target(m_dir.path());
    WriteBytes(path, kPrevious);
    Save(path);
    EXPECT_EQ(ReadBytes(path), m_expected);
    EXPECT_EQ(Entries(m_dir.path()), std::vector<std::string>{fs::path(path).filename()});
}

TEST_P(SafeSaveTest, FolderThatDoesNotExist) {
    const std::string path = Target(m_dir.path() / "missing");
    try {
        Save(path);
        FAIL() << "saving into a missing folder reported success";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_TRUE(Entries(m_dir.path()).empty());
}

TEST_P(SafeSaveTest, PathThatIsADirectory) {
    const std::string path = Target(m_dir.path());
    fs::create_directory(path);
    WriteBytes(path + "/inside", kPrevious);
    try {
        Save(path);
        FAIL() << "saving over a directory reported success";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(ReadBytes(path + "/inside"), kPrevious);
    EXPECT_EQ(Entries(m_dir.path()), std::vector<std::string>{fs::path(path).filename()});
}

// Permissions do not stop root, so as root the child saves as the unprivileged user "nobody".
TEST_P(SafeSaveTest, FolderThatCannotBeWritten) {
    const fs::path folder = m_dir.path() / "read-only";
    fs::create_directory(folder);
    const std::string path = Target(folder);
    WriteBytes(path, kPrevious);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const std::string report = InChild(
        [] {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                throw std::runtime_error("cannot drop root privileges");
        },
        [&] { Save(path); });
    EXPECT_EQ(report.rfind("FileError: ", 0), 0u) << report;
    EXPECT_NE(report.find(path), std::string::npos) << report;
    EXPECT_EQ(ReadBytes(path), kPrevious);
    EXPECT_EQ(Entries(folder), std::vector<std::string>{fs::path(path).filename()});
}

// The disk fills up in the middle of the write: a file-size limit below the new file's size,
// with SIGXFSZ ignored so that write() fails with EFBIG instead of killing the process.
TEST_P(SafeSaveTest, WriteThatFailsHalfway) {
    ASSERT_GE(m_expected.size(), 2u);
    const std::string path = Target(m_dir.path());
    WriteBytes(path, kPrevious);
    const rlim_t limit = m_expected.size() / 2;
    const std::string report = InChild(
        [limit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit r{limit, limit};
            if (::setrlimit(RLIMIT_FSIZE, &r) != 0)
                throw std::runtime_error("setrlimit failed");
        },
        [&] { Save(path); });
    EXPECT_EQ(report.rfind("FileError: ", 0), 0u) << report;
    EXPECT_NE(report.find(path), std::string::npos) << report;
    EXPECT_EQ(ReadBytes(path), kPrevious);
    EXPECT_EQ(Entries(m_dir.path()), std::vector<std::string>{fs::path(path).filename()});
}

// Absolute and relative links, a chain of two, and a link to a file that does not exist yet: the
// file at the end gets the bytes and every link stays a link.
TEST_P(SafeSaveTest, SavingThroughALinkReplacesTheFileItNamesAndKeepsTheLink) {
    const fs::path other = m_dir.path() / "elsewhere";
    fs::create_directory(other);
    const std::string real = Target(other);
    WriteBytes(real, kPrevious);
    const fs::path absolute = m_dir.path() / "absolute-link";
    fs::create_symlink(real, absolute);
    Save(absolute.string());
    EXPECT_TRUE(fs::is_symlink(absolute));
    EXPECT_EQ(ReadBytes(real), m_expected);

    // links/chain -> ../relative-link -> elsewhere/table.x
    WriteBytes(real, kPrevious);
    fs::create_directory(m_dir.path() / "links");
    const fs::path relative = m_dir.path() / "relative-link";
    fs::create_symlink(fs::path("elsewhere") / fs::path(real).filename(), relative);
    const fs::path chain = m_dir.path() / "links" / "chain";
    fs::create_symlink("../relative-link", chain);
    Save(chain.string());
    EXPECT_TRUE(fs::is_symlink(chain));
    EXPECT_TRUE(fs::is_symlink(relative));
    EXPECT_EQ(ReadBytes(real), m_expected);

    const fs::path dangling = m_dir.path() / "links" / "dangling";
    fs::create_symlink("../elsewhere/new-file", dangling);
    Save(dangling.string());
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(ReadBytes((other / "new-file").string()), m_expected);
    EXPECT_EQ(Entries(other), (std::vector<std::string>{"new-file", fs::path(real).filename()}));
}

TEST_P(SafeSaveTest, AReadOnlyFileIsRefusedAndKeepsItsBytes) {
    const std::string path = Target(m_dir.path());
    WriteBytes(path, kPrevious);
    ::chmod(path.c_str(), 0444);
    try {
        Save(path);
        FAIL() << "saving over a read-only file reported success";
    } catch (const FileError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("\"" + path + "\""), std::string::npos) << message;
        EXPECT_NE(message.find("Permission denied"), std::string::npos) << message;
    }
    EXPECT_EQ(ReadBytes(path), kPrevious);
    EXPECT_EQ(Entries(m_dir.path()), std::vector<std::string>{fs::path(path).filename()});

    // Another user's 0644 file in a folder everyone may write: the rename would succeed, but
    // the file is not this user's to replace. (Only root can set this up.)
    if (::geteuid() != 0)
        return;
    const fs::path shared = m_dir.path() / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all);
    const std::string theirs = Target(shared);
    WriteBytes(theirs, kPrevious);
    ::chmod(theirs.c_str(), 0644);
    const std::string report = InChild(
        [] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                throw std::runtime_error("cannot drop root privileges");
        },
        [&] { Save(theirs); });
    EXPECT_EQ(report.rfind("FileError: ", 0), 0u) << report;
    EXPECT_NE(report.find("Permission denied"), std::string::npos) << report;
    EXPECT_EQ(ReadBytes(theirs), kPrevious);
    EXPECT_EQ(Entries(shared), std::vector<std::string>{fs::path(theirs).filename()});
}

// Whether `path` is still what it was before the save: its type and, for a device, its numbers.
bool SameNode(const std::string& path, const struct stat& before) {
    struct stat now {};
    return ::lstat(path.c_str(), &now) == 0 &&
           (now.st_mode & S_IFMT) == (before.st_mode & S_IFMT) && now.st_rdev == before.st_rdev &&
           now.st_ino == before.st_ino;
}

// A FIFO, a socket, a device and a link to a FIFO in the way are refused and stay as they were:
// replacing one by a regular file would, as root, even replace /dev/null. Without the right to
// make a device node, the device is a link to /dev/null, which the unprivileged user cannot
// replace anyway.
TEST_P(SafeSaveTest, ATargetThatIsNotARegularFileIsRefusedAndStays) {
    const fs::path folder = m_dir.path() / "special";
    fs::create_directory(folder);
    const std::string fifo = (folder / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string viaLink = (folder / "link-to-fifo").string();
    fs::create_symlink("fifo", viaLink);
    const std::string socketPath = (folder / "socket").string();
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string device = (folder / "null").string();
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        fs::create_symlink("/dev/null", device);

    for (const std::string& path : {fifo, viaLink, socketPath, device}) {
        struct stat before {};
        ASSERT_EQ(::lstat(path.c_str(), &before), 0) << path;
        const std::vector<std::string> entries = Entries(folder);
        try {
            Save(path);
            ADD_FAILURE() << "saving over " << path << " reported success";
        } catch (const FileError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("\"" + path + "\""), std::string::npos) << message;
            EXPECT_NE(message.find("not a regular file"), std::string::npos) << message;
        }
        EXPECT_TRUE(SameNode(path, before)) << path;
        EXPECT_EQ(Entries(folder), entries) << path;
    }
    ::close(sock);
}

// A replaced file keeps its mode (and, where the process may set it, its owner and group); a new
// file gets 0666 less the umask.
TEST_P(SafeSaveTest, AReplacedFileKeepsItsModeAndOwnerAndANewOneFollowsTheUmask) {
    const std::string path = Target(m_dir.path());
    WriteBytes(path, kPrevious);
    ::chmod(path.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    Save(path);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }

    const std::string fresh = (m_dir.path() / "fresh").string();
    const mode_t previousMask = ::umask(027);
    Save(fresh);
    ::umask(previousMask);
    ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

INSTANTIATE_TEST_SUITE_P(AllWriters, SafeSaveTest, ::testing::ValuesIn(kWriters),
                         [](const ::testing::TestParamInfo<Writer>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
#endif

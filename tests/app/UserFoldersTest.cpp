// The private folders: only real directories of this user, closed to
// others, are used; a link or an open folder planted in their place is not.
#include "app/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class UserFoldersTest : public ::testing::Test {
protected:
    UserFoldersTest() : m_saved(qgetenv("XDG_RUNTIME_DIR")) {}
    ~UserFoldersTest() override { qputenv("XDG_RUNTIME_DIR", m_saved); }

    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }

    QByteArray m_saved;
    QTemporaryDir m_dir;
};

TEST_F(UserFoldersTest, OnlyOwnClosedDirectoriesAreUsed) {
    EXPECT_TRUE(userfolders::ensurePrivateDirectory(path("fresh")));
    struct stat info {};
    ASSERT_EQ(::stat(path("fresh").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A link to a folder elsewhere, planted where the folder should be.
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath("elsewhere")));
    ::chmod(path("elsewhere").c_str(), 0700);
    ASSERT_TRUE(QFile::link(m_dir.filePath("elsewhere"), m_dir.filePath("planted")));
    EXPECT_FALSE(userfolders::ensurePrivateDirectory(path("planted")));

    // A folder others can enter, and a file in the folder's place.
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath("open")));
    ::chmod(path("open").c_str(), 0755);
    EXPECT_FALSE(userfolders::ensurePrivateDirectory(path("open")));
    QFile file(m_dir.filePath("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_FALSE(userfolders::ensurePrivateDirectory(path("file")));
}

TEST_F(UserFoldersTest, InstanceFolderIsNamedByProgramAndNumberInTheRuntimeDirectory) {
    EXPECT_EQ(userfolders::instanceFolderName("vantora", 1), "vantora001");
    EXPECT_EQ(userfolders::instanceFolderName("vantora", 42), "vantora042");
    EXPECT_EQ(userfolders::instanceFolderName("vantora", 1234), "vantora1234");

    ASSERT_TRUE(userfolders::ensurePrivateDirectory(path("run")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.filePath("run")));
    EXPECT_EQ(userfolders::instanceFolder("vantora", 3), m_dir.filePath("run/vantora003"));
    EXPECT_TRUE(QDir(m_dir.filePath("run/vantora003")).exists());

    // A planted link in the instance folder's place is not followed.
    ASSERT_TRUE(QFile::link(m_dir.path(), m_dir.filePath("run/vantora004")));
    EXPECT_EQ(userfolders::instanceFolder("vantora", 4), QString());

    // A runtime directory open to others is not used at all.
    ::chmod(path("run").c_str(), 0755);
    EXPECT_NE(QString::fromStdString(userfolders::privateDirectory()), m_dir.filePath("run"));
}

} // namespace

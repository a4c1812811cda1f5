// Where a program keeps its settings file and log: its own folder when it may write there, the
// per-user folder otherwise.
#include "platform/qt/services/QtAppInfo.h"
#include "tests/support/ChildProcess.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <unistd.h>

namespace orvane::qt {
namespace {

using namespace Qt::StringLiterals;

QString makeDir(const QString& path) {
    QDir().mkpath(path);
    return path;
}

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(AppFolderTest, ChoosesOwnFolderOnlyWhenItMayWriteThere) {
    struct Case {
        const char* name;
        // Lays out the executable's folder under root and returns it.
        std::function<QString(const QString& root)> exeFolder;
        bool userFolderUsable;
        bool expectOwn;
    };
    const Case cases[] = {
        {"build tree", [](const QString& root) { return makeDir(root + u"/build/apps/quorvex"_s); }, true,
         true},
        {"missing folder", [](const QString& root) { return root + u"/gone"_s; }, true, false},
        {"installed copy",
         [](const QString& root) {
             makeDir(root + u"/usr/share/applications"_s);
             touch(root + u"/usr/share/applications/orvane-quorvex.desktop"_s);
             return makeDir(root + u"/usr/bin"_s);
         },
         true, false},
        {"other program's menu entry only",
         [](const QString& root) {
             makeDir(root + u"/usr/share/applications"_s);
             touch(root + u"/usr/share/applications/orvane-brelund.desktop"_s);
             return makeDir(root + u"/usr/bin"_s);
         },
         true, true},
        {"no per-user folder either", [](const QString& root) { return root + u"/gone"_s; }, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QString exe = c.exeFolder(root.path());
        QString user = root.path() + u"/home/.local/share/orvane/Quorvex"_s;
        if (!c.userFolderUsable) {
            touch(root.path() + u"/blocker"_s);  // a file where a folder would have to be made
            user = root.path() + u"/blocker/orvane/Quorvex"_s;
        }

        const std::string chosen = chooseProgramFolder(exe, u"Quorvex"_s, user);

        EXPECT_EQ(chosen, (c.expectOwn ? QDir::cleanPath(exe) : user).toStdString());
        if (!c.expectOwn) {
            EXPECT_TRUE(QDir(user).exists());
        }
        if (c.expectOwn && c.userFolderUsable) {
            EXPECT_FALSE(QDir(user).exists()) << "made without need";
        }
        if (QDir(exe).exists()) {
            EXPECT_EQ(QDir(exe).entryList(QDir::Files | QDir::Hidden).size(), 0) << "write probe left behind";
        }
    }
}

// Root may write to any folder, so this one runs as an unprivileged user.
TEST(AppFolderTest, ReadOnlyFolderSendsFilesToPerUserFolder) {
    EXPECT_EQ(test::asUnprivilegedUser([]() -> std::string {
                  QTemporaryDir root(u"/tmp/orvane-appfolder-XXXXXX"_s);
                  if (!root.isValid()) return "no temporary folder";
                  const QString exe = makeDir(root.path() + u"/opt/orvane"_s);
                  QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
                  const QString user = root.path() + u"/data/orvane/Brelund"_s;
                  const std::string chosen = chooseProgramFolder(exe, u"Brelund"_s, user);
                  QFile::setPermissions(
                      exe, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
                  return chosen == user.toStdString() ? "" : "chose " + chosen;
              }),
              "");
}

TEST(AppFolderTest, PerUserFolderFollowsXdgDataHome) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArrayLiteral("/tmp/orvane-xdg-test"));
    EXPECT_EQ(perUserFolder(u"Quorvex"_s), u"/tmp/orvane-xdg-test/orvane/Quorvex"_s);
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(perUserFolder(u"Brelund"_s), QDir::homePath() + u"/.local/share/orvane/Brelund"_s);
    if (saved.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
}

}  // namespace
}  // namespace orvane::qt

#include "util/pathkind.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(PathKind, OnlyRegularFilesAndMissingPathsPass) {
    char folder[] = "/tmp/granum-pathkind-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string base = folder;
    const std::string file = base + "/file", fifo = base + "/fifo", link = base + "/link";
    ASSERT_TRUE(std::ofstream(file));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::symlink(fifo.c_str(), link.c_str()), 0);

    EXPECT_EQ(pathkind::NotRegularReason(file), "");
    EXPECT_EQ(pathkind::NotRegularReason(base + "/missing"), "");
    EXPECT_EQ(pathkind::NotRegularReason(base), "it is a folder");
    EXPECT_EQ(pathkind::NotRegularReason(fifo), "it is a FIFO");
    EXPECT_EQ(pathkind::NotRegularReason(link), "it is a FIFO");
    EXPECT_EQ(pathkind::NotRegularReason("/dev/null"), "it is a device");

    for (const std::string& path : {link, fifo, file})
        ::unlink(path.c_str());
    ::rmdir(folder);
}

} // namespace

// The handle owner: each policy's "none" value, one close per handle across moves, and a close that reports.
#include "forms/win32/handles.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using forms::win32::UniqueFile;
using forms::win32::UniqueRegion;

UniqueFile createFile(const std::wstring& path) {
    return UniqueFile(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST(UniqueHandle, AMovedRegionIsDeletedOnceByItsLastOwner) {
    UniqueRegion first(CreateRectRgn(0, 0, 4, 4));
    const HRGN raw = first.get();
    UniqueRegion second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), raw);
    first = std::move(second);
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_REGION)) << "a move must not delete";
    first.reset();
    EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(UniqueHandle, AFileThatDidNotOpenIsNoHandleAndAnOpenOneClosesOnce) {
    TempFolder folder(L"handles");
    UniqueFile missing = createFile(folder.path() + L"\\no such folder\\file.bin");
    EXPECT_EQ(missing.get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(missing);
    EXPECT_FALSE(missing.close());

    UniqueFile file = createFile(folder.path() + L"\\file.bin");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(file.close());
    EXPECT_TRUE(createFile(folder.path() + L"\\file.bin")) << "closed: nobody holds the file any more";
}

// A failure reported after the clean-up must name its own cause, not what the clean-up did: here the close itself
// fails (a handle value nobody holds) and must not overwrite the error.
TEST(UniqueHandle, AnOwnerLettingGoKeepsTheLastErrorOfTheCallThatFailed) {
    {
        UniqueFile stale(reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x7FF0)));
        SetLastError(ERROR_ACCESS_DENIED);
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    UniqueRegion region(CreateRectRgn(0, 0, 4, 4));
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    region.reset();
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

}  // namespace
}  // namespace zantiro::wine_tests

#include "platform/sync/NamedEvent.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(NamedEvent, ExistsWhileAHandleIsOpen)
{
    EXPECT_EQ(OpenEvent(EVENT_ALL_ACCESS, false, "DocIsAvailable1"), nullptr);
    HANDLE a = CreateEvent(true, false, "DocIsAvailable1");
    ASSERT_NE(a, nullptr);
    HANDLE b = OpenEvent(EVENT_ALL_ACCESS, false, "DocIsAvailable1");
    EXPECT_EQ(b, a);
    // Creating an existing event opens it and leaves its state alone.
    EXPECT_TRUE(SetEvent(a));
    HANDLE c = CreateEvent(true, false, "DocIsAvailable1");
    EXPECT_EQ(WaitForSingleObject(c, 0), DWORD(WAIT_OBJECT_0));
    CloseHandle(c);
    CloseHandle(a);
    EXPECT_EQ(WaitForSingleObject(b, 0), DWORD(WAIT_OBJECT_0));
    CloseHandle(b);
    EXPECT_EQ(OpenEvent(EVENT_ALL_ACCESS, false, "DocIsAvailable1"), nullptr);
}

TEST(NamedEvent, ManualResetStaysSetAutoResetReleasesOneWait)
{
    HANDLE manual = CreateEvent(true, true, QString());
    EXPECT_EQ(WaitForSingleObject(manual, 0), DWORD(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(manual, 0), DWORD(WAIT_OBJECT_0));
    ResetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 10), DWORD(WAIT_TIMEOUT));
    HANDLE autoReset = CreateEvent(false, true, QString());
    EXPECT_EQ(WaitForSingleObject(autoReset, 0), DWORD(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(autoReset, 0), DWORD(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    CloseHandle(manual);
    CloseHandle(autoReset);
}

TEST(NamedEvent, AWaitEndsWhenAnotherThreadSets)
{
    HANDLE e = CreateEvent(true, false, "Painting1");
    std::thread t([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        HANDLE h = OpenEvent(EVENT_ALL_ACCESS, false, "Painting1");
        SetEvent(h);
        CloseHandle(h);
    });
    EXPECT_EQ(WaitForSingleObject(e, INFINITE), DWORD(WAIT_OBJECT_0));
    t.join();
    CloseHandle(e);
}

TEST(NamedEvent, QualifiedNamesKeepOwnersApart)
{
    int docA = 0, docB = 0;
    const QString a = QualifiedEventName(UniqueOwnerId(&docA), "Painting1");
    const QString b = QualifiedEventName(UniqueOwnerId(&docB), "Painting1");
    EXPECT_NE(a, b);
    EXPECT_TRUE(a.endsWith("/Painting1"));
    // The same object later (a new owner at the same address) differs too.
    EXPECT_NE(UniqueOwnerId(&docA), UniqueOwnerId(&docA));
}

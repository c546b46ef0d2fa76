#include "features/DigList.h"
#include "features/DxfList.h"
#include "features/LoadDigThread.h"
#include "features/LoadDxfThread.h"
#include "features/tests/FeatureTestFiles.h"
#include "foundation/WindowMessages.h"
#include "platform/core/CmdTarget.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

using namespace featuretest;

namespace
{
// The loading dialog's part: receives the end messages.
class CLoadOwner : public CCmdTarget
{
public:
    CLoadOwner() { CreateMessageTarget(); }
    std::vector<std::pair<UINT, WPARAM>> received;

protected:
    LRESULT OnDig(WPARAM w, LPARAM) { return Record(UM_DIG_THREAD, w); }
    LRESULT OnDxf(WPARAM w, LPARAM) { return Record(UM_DXF_THREAD, w); }
    LRESULT Record(UINT message, WPARAM w)
    {
        received.emplace_back(message, w);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoadOwner, CCmdTarget)
ON_REGISTERED_MESSAGE(UM_DIG_THREAD, &CLoadOwner::OnDig)
ON_REGISTERED_MESSAGE(UM_DXF_THREAD, &CLoadOwner::OnDxf)
END_MESSAGE_MAP()

struct Counters
{
    LoadCounter total{0};
    LoadCounter done{0};
};

template <class T> CRuntimeClass* ClassOf();
template <> CRuntimeClass* ClassOf<CLoadDigThread>()
{
    return RUNTIME_CLASS(CLoadDigThread);
}
template <> CRuntimeClass* ClassOf<CLoadDxfThread>()
{
    return RUNTIME_CLASS(CLoadDxfThread);
}

// Starts a loader suspended, fills it as a dialog does, resumes it, lets `whileRunning` act on
// it (it may set the stop flag), then waits for its end message and for the thread itself. The
// thread object is kept (not deleted by itself) until its thread has ended, as the dialogs keep
// it. Returns the end message's wParam, or -1 when none came.
template <class T>
long RunLoader(CLoadOwner& owner, Counters& counters, const std::function<void(T*)>& fill,
               const std::function<void(T*)>& whileRunning = nullptr)
{
    T* thread = static_cast<T*>(AfxBeginThread(ClassOf<T>(), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    if (!thread)
        return -1;
    thread->m_bAutoDelete = FALSE;
    thread->SetOwner(&owner);
    thread->m_pBytesTotal = &counters.total;
    thread->m_pBytesDone = &counters.done;
    fill(thread);
    thread->ResumeThread();
    if (whileRunning)
        whileRunning(thread);
    QElapsedTimer timer;
    timer.start();
    while (owner.received.empty() && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    WaitForSingleObject(thread->m_hThread, INFINITE);
    delete thread;
    return owner.received.empty() ? -1 : static_cast<long>(owner.received.front().second);
}

// Sets the stop flag as soon as the thread has read more than `bytes` (or has ended).
template <class T> std::function<void(T*)> StopAfter(Counters& counters, ULONGLONG bytes)
{
    return [&counters, bytes](T* thread) {
        QElapsedTimer timer;
        timer.start();
        while (counters.done.load() <= bytes && timer.elapsed() < 10000 &&
               WaitForSingleObject(thread->m_hThread, 0) == WAIT_TIMEOUT)
            QThread::usleep(50);
        thread->m_bStop = true;
    };
}

QByteArray Records(const std::vector<BinaryDigDef>& points)
{
    return QByteArray(reinterpret_cast<const char*>(points.data()),
                      static_cast<int>(points.size() * sizeof(BinaryDigDef)));
}

QByteArray Header(const FileStampDef& stamp)
{
    return QByteArray(reinterpret_cast<const char*>(&stamp), sizeof(stamp));
}

// A drawing of `count` lines, each inside the extents it names.
QByteArray LargeDrawing(int count)
{
    QByteArray text(
        "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$EXTMIN\r\n 10\r\n0\r\n 20\r\n0\r\n  9\r\n$EXTMAX\r\n"
        " 10\r\n1000000\r\n 20\r\n1000000\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
    char buffer[160];
    for (int i = 0; i < count; ++i)
    {
        std::snprintf(buffer, sizeof(buffer),
                      "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n%d\r\n 20\r\n%d\r\n 11\r\n%d\r\n 21\r\n%d\r\n",
                      i + 1, i + 2, i + 3, i + 4);
        text += buffer;
    }
    return text + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

const char kTinyDxf[] = "C:\\MyData\\Tiny\\dig_tiny.dxf";
const char kTinyDig[] = "C:\\MyData\\Tiny\\dig_tiny.DIG";
} // namespace

TEST(LoadDigThread, ChangedDxfSourceIsConvertedThenReadFromTheCache)
{
    WriteBytes(kTinyDxf, Fixture("dig_tiny.dxf"));
    CDig dig;
    dig.m_FileName = kTinyDxf;
    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDigThread>(owner, counters, [&](CLoadDigThread* t) { t->m_pDig = &dig; }), 0);
    ASSERT_EQ(owner.received.size(), 1u);
    EXPECT_EQ(owner.received[0].first, UM_DIG_THREAD);

    const QByteArray golden = Fixture("dig_tiny.points");
    EXPECT_EQ(ReadBytes(kTinyDig).mid(16), golden);
    ASSERT_EQ(dig.GetSize(), golden.size() / 18);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(dig.GetData()), golden.size()), golden);
    EXPECT_TRUE(dig.IsShown());
    EXPECT_FALSE(dig.m_bBusy);
    EXPECT_EQ(dig.m_pCacheFile, nullptr);
    EXPECT_EQ(dig.m_CacheLength, 16 + golden.size());
    EXPECT_EQ(counters.total.load(), static_cast<ULONGLONG>(dig.m_CacheLength));
    EXPECT_EQ(counters.done.load(), counters.total.load());
    EXPECT_EQ(dig.m_MinEasting, 1000.0);
    EXPECT_EQ(dig.m_MaxNorthing, 2062.0);
    EXPECT_FALSE(dig.m_DateText.IsEmpty());
}

TEST(LoadDigThread, CurrentCacheIsReadWithoutParsingTheDxf)
{
    WriteBytes(kTinyDxf, Fixture("dig_tiny.dxf"));
    FileStampDef stamp;
    ASSERT_TRUE(StampFile(kTinyDxf, stamp));
    stamp.Valid = 0; // the drawing was switched off in the pane
    // Points the DXF would never give: only a cache read can produce them.
    const std::vector<BinaryDigDef> points = {{7, 8, -9}, {10, 11, 9}};
    WriteBytes(kTinyDig, Header(stamp) + Records(points));

    CDig dig;
    dig.m_FileName = kTinyDxf;
    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDigThread>(owner, counters, [&](CLoadDigThread* t) { t->m_pDig = &dig; }), 0);
    ASSERT_EQ(dig.GetSize(), 2);
    EXPECT_EQ(+dig[1].x, 10.0);
    EXPECT_EQ(+dig[1].code, 9);
    EXPECT_FALSE(dig.IsShown());
    EXPECT_EQ(dig.m_MinEasting, 7.0);
    EXPECT_EQ(dig.m_MaxNorthing, 11.0);
}

TEST(LoadDigThread, CsvSourceIsReadOnlyFromItsCache)
{
    WriteBytes("C:\\MyData\\wrecks.csv", "1000,2000\r\n1001,2001\r\n");
    FileStampDef stamp{};
    stamp.Valid = 1;
    stamp.DosTime = (10 << 11);
    stamp.DosDate = ((2020 - 1980) << 9) | (6 << 5) | 15;
    stamp.Length = 5;
    const std::vector<BinaryDigDef> points = {{1, 2, -2}, {3, 4, 2}, {5, 6, 2}};

    CDig dig;
    dig.m_FileName = "C:\\MyData\\wrecks.csv";
    {
        CLoadOwner owner;
        Counters counters;
        EXPECT_EQ(RunLoader<CLoadDigThread>(owner, counters, [&](CLoadDigThread* t) { t->m_pDig = &dig; }), 0)
            << "no cache: nothing read, and still the end message";
        EXPECT_TRUE(dig.IsEmpty());
        EXPECT_FALSE(Exists("C:\\MyData\\wrecks.DIG"));
    }
    WriteBytes("C:\\MyData\\wrecks.DIG", Header(stamp) + Records(points));
    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDigThread>(owner, counters, [&](CLoadDigThread* t) { t->m_pDig = &dig; }), 0);
    ASSERT_EQ(dig.GetSize(), 3);
    EXPECT_EQ(+dig[2].y, 6.0);
    EXPECT_EQ(dig.m_DateText, "15 Jun 2020") << "the cache's stamp, though the source differs";
    EXPECT_EQ(dig.m_SizeText, "5b");
}

TEST(LoadDigThread, FileOfPointsOnlyIsReadFromItsFirstByte)
{
    WriteBytes("C:\\MyData\\plain.csv", "x");
    // x = 1000.0 makes the first 16 bytes a stamp of month 0.
    const std::vector<BinaryDigDef> points = {{1000, 2000, -2}, {1001, 2001, 2}, {1002, 2002, 2}};
    WriteBytes("C:\\MyData\\plain.DIG", Records(points));
    CDig dig;
    dig.m_FileName = "C:\\MyData\\plain.csv";
    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDigThread>(owner, counters, [&](CLoadDigThread* t) { t->m_pDig = &dig; }), 0);
    ASSERT_EQ(dig.GetSize(), 3);
    EXPECT_EQ(+dig[0].x, 1000.0);
    EXPECT_EQ(+dig[0].code, -2);
    EXPECT_EQ(dig.m_Stamp.Length, 1u) << "the stamp is the source's";
    EXPECT_EQ(counters.done.load(), 54u);
}

TEST(LoadDigThread, StoppedConversionWritesNoCache)
{
    WriteBytes(kTinyDxf, Fixture("dig_tiny.dxf"));
    CDig dig;
    dig.m_FileName = kTinyDxf;
    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDigThread>(owner, counters,
                                        [&](CLoadDigThread* t) {
                                            t->m_pDig = &dig;
                                            t->m_bStop = true;
                                        }),
              1);
    EXPECT_FALSE(Exists(kTinyDig));
    EXPECT_TRUE(dig.IsEmpty());
    EXPECT_TRUE(dig.NeedsRebuild());
}

TEST(LoadDxfThread, ReadsTheDrawingItsSettingsAndWritesItsCache)
{
    WriteBytes(kTinyDxf, Fixture("dig_tiny.dxf"));
    CDxfList list;
    CDxf* dxf = list.AddFile(kTinyDxf);
    dxf->m_bUse = false;
    dxf->m_Scale = 4.0;
    ASSERT_TRUE(dxf->SaveDisplaySettings());
    dxf->m_bUse = true;
    dxf->m_Scale = 1.0;

    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDxfThread>(owner, counters, [&](CLoadDxfThread* t) { t->m_pDxf = dxf; }), 0);
    ASSERT_EQ(owner.received.size(), 1u);
    EXPECT_EQ(owner.received[0].first, UM_DXF_THREAD);
    EXPECT_EQ(dxf->m_Entities.GetCount(), 8);
    EXPECT_EQ(dxf->m_Blocks.GetTail()->m_Entities.GetCount(), 1);
    EXPECT_FALSE(dxf->IsOpen());
    EXPECT_FALSE(dxf->m_bUse);
    EXPECT_EQ(dxf->m_Scale, 4.0);
    EXPECT_EQ(counters.total.load(), static_cast<ULONGLONG>(Fixture("dig_tiny.dxf").size()));
    EXPECT_EQ(counters.done.load(), counters.total.load());
    EXPECT_EQ(ReadBytes(kTinyDig).mid(16), Fixture("dig_tiny.points"));
}

TEST(LoadDxfThread, MissingFileEndsAtOnceWithoutCache)
{
    CDxf dxf;
    dxf.m_FileName = "C:\\MyData\\gone.dxf";
    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDxfThread>(owner, counters, [&](CLoadDxfThread* t) { t->m_pDxf = &dxf; }), 0);
    EXPECT_FALSE(Exists("C:\\MyData\\gone.DIG"));
    EXPECT_TRUE(dxf.m_Entities.IsEmpty());
}

TEST(LoadDxfThread, StoppedReadWritesNoCache)
{
    WriteBytes(kTinyDxf, Fixture("dig_tiny.dxf"));
    CDxf dxf;
    dxf.m_FileName = kTinyDxf;
    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDxfThread>(owner, counters,
                                        [&](CLoadDxfThread* t) {
                                            t->m_pDxf = &dxf;
                                            t->m_bStop = true;
                                        }),
              1);
    EXPECT_FALSE(Exists(kTinyDig));
}

// Stopping while the work is under way, with the data torn down at once afterwards (run under
// AddressSanitizer by the sanitizer build: these suites are its "Stress" subset).
TEST(LoadThreadStress, StopDuringTheRecordLoopKeepsThePointsReadSoFar)
{
    const int kPoints = 2000000;
    std::vector<BinaryDigDef> points(kPoints);
    for (int i = 0; i < kPoints; ++i)
        points[i] = BinaryDigDef{1000.0 + i, 5000.0 - i, static_cast<int16_t>(i % 100 == 0 ? -3 : 3)};
    FileStampDef stamp{};
    WriteBytes("C:\\MyData\\big.csv", "x");
    ASSERT_TRUE(StampFile("C:\\MyData\\big.csv", stamp));
    WriteBytes("C:\\MyData\\big.DIG", Header(stamp) + Records(points));
    points.clear();

    auto* dig = new CDig;
    dig->m_FileName = "C:\\MyData\\big.csv";
    CLoadOwner owner;
    Counters counters;
    const long stopped = RunLoader<CLoadDigThread>(
        owner, counters, [&](CLoadDigThread* t) { t->m_pDig = dig; },
        StopAfter<CLoadDigThread>(counters, 16));
    ASSERT_NE(stopped, -1);
    RecordProperty("stopped", static_cast<int>(stopped));
    const INT_PTR read = dig->GetSize();
    EXPECT_EQ(counters.done.load(), 16u + static_cast<ULONGLONG>(read) * 18u);
    if (stopped == 1)
        EXPECT_LT(read, kPoints);
    else
        EXPECT_EQ(read, kPoints);
    ASSERT_GT(read, 0);
    EXPECT_EQ(dig->m_MinEasting, 1000.0);
    EXPECT_EQ(dig->m_MaxEasting, 1000.0 + (read - 1));
    EXPECT_EQ(dig->m_MinNorthing, 5000.0 - (read - 1));
    EXPECT_FALSE(dig->m_bBusy);
    delete dig;
}

TEST(LoadThreadStress, StoppedRebuildLeavesTheStaleCacheStale)
{
    // An old cache of an earlier version of the drawing; the drawing changed; the rebuild is
    // stopped part-way. The old cache must still count as stale, and no partial one appear.
    WriteBytes("C:\\MyData\\big.dxf", LargeDrawing(10));
    {
        CDxf dxf;
        ASSERT_TRUE(dxf.Open("C:\\MyData\\big.dxf"));
        while (dxf.ReadSection())
        {
        }
        CDig first;
        first.FromDxf(&dxf);
    }
    const QByteArray stale = ReadBytes("C:\\MyData\\big.DIG");
    ASSERT_EQ(stale.size(), 16 + 10 * 2 * 18);
    const QByteArray drawing = LargeDrawing(300000);
    WriteBytes("C:\\MyData\\big.dxf", drawing);

    auto* dig = new CDig;
    dig->m_FileName = "C:\\MyData\\big.dxf";
    CLoadOwner owner;
    Counters counters;
    const long stopped = RunLoader<CLoadDigThread>(
        owner, counters, [&](CLoadDigThread* t) { t->m_pDig = dig; }, StopAfter<CLoadDigThread>(counters, 0));
    ASSERT_NE(stopped, -1);
    RecordProperty("stopped", static_cast<int>(stopped));
    if (stopped == 1)
    {
        EXPECT_EQ(ReadBytes("C:\\MyData\\big.DIG"), stale);
        EXPECT_TRUE(dig->NeedsRebuild());
    }
    else
    {
        EXPECT_EQ(dig->GetSize(), 300000 * 2);
        EXPECT_FALSE(dig->NeedsRebuild());
    }
    delete dig;
}

TEST(LoadThreadStress, StopDuringTheDxfReadLeavesNoCache)
{
    const QByteArray drawing = LargeDrawing(300000);
    WriteBytes("C:\\MyData\\large.dxf", drawing);
    auto* dxf = new CDxf;
    dxf->m_FileName = "C:\\MyData\\large.dxf";
    CLoadOwner owner;
    Counters counters;
    const long stopped = RunLoader<CLoadDxfThread>(
        owner, counters, [&](CLoadDxfThread* t) { t->m_pDxf = dxf; }, StopAfter<CLoadDxfThread>(counters, 0));
    ASSERT_NE(stopped, -1);
    RecordProperty("stopped", static_cast<int>(stopped));
    EXPECT_EQ(Exists("C:\\MyData\\large.DIG"), stopped == 0);
    if (stopped == 1)
    {
        EXPECT_LT(dxf->m_Entities.GetCount(), 300000);
    }
    EXPECT_FALSE(dxf->IsOpen());
    delete dxf;
}

// A circle of absurd radius is refused by name, and a large one becomes a bounded number of
// points; an entity at a position that is not a number is refused too.
TEST(DigBadInput, HugeCirclesAreRefusedOrBounded)
{
    WriteBytes("C:\\MyData\\huge.dxf", Fixture("bad_dxf_huge_circle.dxf"));
    CDig dig;
    dig.m_FileName = "C:\\MyData\\huge.dxf";
    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDigThread>(owner, counters, [&](CLoadDigThread* t) { t->m_pDig = &dig; }), 0);
    EXPECT_NE(dig.m_strProblem.Find("CIRCLE (handle 2A, layer 0) was left out: a radius of 1e+15"), -1)
        << (LPCSTR)dig.m_strProblem;
    EXPECT_NE(dig.m_strProblem.Find("LINE (handle 2C, layer 0) was left out"), -1) << (LPCSTR)dig.m_strProblem;
    EXPECT_GT(dig.GetSize(), 100);
    EXPECT_LE(dig.GetSize(), 3601);
    for (const BinaryDigDef& point : dig)
        EXPECT_NEAR(std::hypot(point.x, point.y), 1e6, 1e-3);
}

// A drawing cut short is read as far as it goes, said to be damaged, and never cached.
TEST(DigBadInput, TruncatedDxfIsReportedAndNotCached)
{
    WriteBytes("C:\\MyData\\cut.dxf", Fixture("bad_dxf_truncated.dxf"));
    CDig dig;
    dig.m_FileName = "C:\\MyData\\cut.dxf";
    {
        CLoadOwner owner;
        Counters counters;
        EXPECT_EQ(RunLoader<CLoadDigThread>(owner, counters, [&](CLoadDigThread* t) { t->m_pDig = &dig; }), 0);
    }
    EXPECT_NE(dig.m_strProblem.Find("ends before its EOF marker"), -1) << (LPCSTR)dig.m_strProblem;
    EXPECT_FALSE(Exists("C:\\MyData\\cut.DIG"));
    EXPECT_TRUE(dig.NeedsRebuild());

    CDxf dxf;
    dxf.m_FileName = "C:\\MyData\\cut.dxf";
    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDxfThread>(owner, counters, [&](CLoadDxfThread* t) { t->m_pDxf = &dxf; }), 0);
    EXPECT_FALSE(dxf.IsWhole());
    EXPECT_EQ(dxf.m_Entities.GetCount(), 6);
    EXPECT_FALSE(Exists("C:\\MyData\\cut.DIG"));
}

// Caches of random bytes or of 0xFF bytes are no points: a drawing's cache is made again from
// the drawing, any other is refused with a message.
TEST(DigBadInput, DamagedCachesAreRefusedOrRebuilt)
{
    WriteBytes(kTinyDxf, Fixture("dig_tiny.dxf"));
    // The source's own stamp before the random points: only the points give the damage away.
    FileStampDef stamp;
    ASSERT_TRUE(StampFile(kTinyDxf, stamp));
    WriteBytes(kTinyDig, Header(stamp) + Fixture("bad_dig_random.DIG").mid(16));
    CDig dig;
    dig.m_FileName = kTinyDxf;
    {
        CLoadOwner owner;
        Counters counters;
        EXPECT_EQ(RunLoader<CLoadDigThread>(owner, counters, [&](CLoadDigThread* t) { t->m_pDig = &dig; }), 0);
    }
    const QByteArray golden = Fixture("dig_tiny.points");
    ASSERT_EQ(dig.GetSize(), golden.size() / 18);
    EXPECT_EQ(ReadBytes(kTinyDig).mid(16), golden);
    EXPECT_NE(dig.m_strProblem.Find("made again from its drawing"), -1) << (LPCSTR)dig.m_strProblem;

    WriteBytes("C:\\MyData\\ff.csv", "1,2\r\n");
    WriteBytes("C:\\MyData\\ff.DIG", Fixture("bad_dig_ff.DIG"));
    CDig csv;
    csv.m_FileName = "C:\\MyData\\ff.csv";
    CLoadOwner owner;
    Counters counters;
    EXPECT_EQ(RunLoader<CLoadDigThread>(owner, counters, [&](CLoadDigThread* t) { t->m_pDig = &csv; }), 0);
    EXPECT_EQ(csv.GetSize(), 0);
    EXPECT_NE(csv.m_strProblem.Find("ff.DIG is damaged"), -1) << (LPCSTR)csv.m_strProblem;
}

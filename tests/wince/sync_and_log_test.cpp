#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include <unistd.h>

#include "wince/log.h"
#include "wince/sync.h"

namespace {

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  EnterCriticalSection(&section);
  EnterCriticalSection(&section);
  BOOL otherGotIt = TRUE;
  std::thread([&] { otherGotIt = TryEnterCriticalSection(&section); }).join();
  EXPECT_FALSE(otherGotIt);
  LeaveCriticalSection(&section);
  std::thread([&] { otherGotIt = TryEnterCriticalSection(&section); }).join();
  EXPECT_FALSE(otherGotIt) << "one level is still held";
  LeaveCriticalSection(&section);
  std::thread([&] {
    otherGotIt = TryEnterCriticalSection(&section);
    if (otherGotIt) LeaveCriticalSection(&section);
  }).join();
  EXPECT_TRUE(otherGotIt);
  DeleteCriticalSection(&section);
}

TEST(CriticalSection, CountsStayExactUnderContention) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  long counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        wince::CriticalSectionLock lock(section);
        ++counter;
      }
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(counter, 80000);
  DeleteCriticalSection(&section);
}

TEST(Log, CaptureSeesFormattedTextIncludingLongLines) {
  wince::LogCapture capture;
  logPrintf("totalFragmentSizeNeeded=%d m_heapUsed=%d\n", 24, 100);
  const std::string longText(2000, 'x');
  logPrintf("%s\n", longText.c_str());
  EXPECT_TRUE(capture.contains("totalFragmentSizeNeeded=24 m_heapUsed=100\n"));
  EXPECT_TRUE(capture.contains(longText + "\n"));
  capture.clear();
  EXPECT_EQ(capture.text(), "");
}

TEST(Log, RedirectsStandardOutputToAFileAndRefusesAnUnopenablePath) {
  EXPECT_FALSE(wince::redirectLogToFile("/nonexistent-folder/log.txt"));
  // Standard output must still work after a refused redirect.
  EXPECT_GE(fputs("", stdout), 0);

  const std::string path = testing::TempDir() + "redirected_log.txt";
  const int savedOutput = dup(fileno(stdout));
  ASSERT_TRUE(wince::redirectLogToFile(path.c_str()));
  logPrintf("line %d\n", 7);
  fflush(stdout);
  dup2(savedOutput, fileno(stdout));
  close(savedOutput);

  std::ifstream file(path);
  std::stringstream content;
  content << file.rdbuf();
  EXPECT_EQ(content.str(), "line 7\n");
}

TEST(Log, AQuietLogWritesNothingButCapturesStillSeeIt) {
  const std::string path = testing::TempDir() + "quiet_log.txt";
  const int savedOutput = dup(fileno(stdout));
  ASSERT_TRUE(wince::redirectLogToFile(path.c_str()));
  wince::setLogQuiet(true);
  logPrintf("hidden %d\n", 1);
  std::string captured;
  {
    wince::LogCapture capture;
    logPrintf("hidden %d\n", 2);
    captured = capture.text();
  }
  wince::setLogQuiet(false);
  logPrintf("shown\n");
  fflush(stdout);
  dup2(savedOutput, fileno(stdout));
  close(savedOutput);

  EXPECT_EQ(captured, "hidden 2\n");
  std::ifstream file(path);
  std::stringstream content;
  content << file.rdbuf();
  EXPECT_EQ(content.str(), "shown\n");
}

}  // namespace

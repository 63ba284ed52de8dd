#include <gtest/gtest.h>

#include <cstring>

#include "wince/power.h"

namespace {

MSGQUEUEOPTIONS runtimeOptions() {
  return MSGQUEUEOPTIONS{sizeof(MSGQUEUEOPTIONS), MSGQUEUE_NOPRECOMMIT, 4, 536, TRUE};
}

// A registered power queue as the runtime makes it.
struct PowerRegistration {
  PowerRegistration() {
    const MSGQUEUEOPTIONS options = runtimeOptions();
    queue = CreateMsgQueue(nullptr, &options);
    notifications = RequestPowerNotifications(queue, PBT_TRANSITION);
  }
  ~PowerRegistration() {
    StopPowerNotifications(notifications);
    CloseMsgQueue(queue);
  }
  // The power flags of the next message, or -1 when none waits.
  int64_t readFlags() {
    alignas(POWER_BROADCAST) uint8_t buffer[536];
    DWORD bytes = 0, flags = 0;
    if (!ReadMsgQueue(queue, buffer, sizeof buffer, &bytes, 0, &flags)) return -1;
    POWER_BROADCAST broadcast;
    std::memcpy(&broadcast, buffer, offsetof(POWER_BROADCAST, SystemPowerState));
    EXPECT_EQ(broadcast.Message, PBT_TRANSITION);
    EXPECT_EQ(bytes, offsetof(POWER_BROADCAST, SystemPowerState) + broadcast.Length);
    return broadcast.Flags;
  }

  HANDLE queue = nullptr;
  HANDLE notifications = nullptr;
};

TEST(PowerQueue, TransitionsArriveInOrderAndAFullQueueDropsTheRest) {
  PowerRegistration registration;
  ASSERT_NE(registration.queue, nullptr);
  ASSERT_NE(registration.notifications, nullptr);
  EXPECT_EQ(registration.readFlags(), -1);
  const DWORD sent[] = {POWER_STATE_SUSPEND, POWER_STATE_ON, POWER_STATE_IDLE, POWER_STATE_ON | POWER_STATE_IDLE,
                        POWER_STATE_UNATTENDED};
  int taken = 0;
  for (DWORD flags : sent) taken += wince::sendPowerTransition(flags);
  EXPECT_EQ(taken, 4) << "at most four messages wait";
  for (int i = 0; i < 4; ++i) EXPECT_EQ(registration.readFlags(), int64_t(sent[i]));
  EXPECT_EQ(registration.readFlags(), -1);
}

TEST(PowerQueue, NothingArrivesAfterStoppingOrClosing) {
  {
    PowerRegistration registration;
    EXPECT_EQ(wince::powerRegistrationCount(), 1);
    EXPECT_TRUE(StopPowerNotifications(registration.notifications));
    EXPECT_EQ(wince::sendPowerTransition(POWER_STATE_ON), 0);
    EXPECT_EQ(registration.readFlags(), -1);
    registration.notifications = nullptr;
  }
  PowerRegistration closedFirst;
  ASSERT_TRUE(CloseMsgQueue(closedFirst.queue));
  EXPECT_EQ(wince::sendPowerTransition(POWER_STATE_ON), 0);
  uint8_t buffer[536];
  DWORD bytes = 0, flags = 0;
  EXPECT_FALSE(ReadMsgQueue(closedFirst.queue, buffer, sizeof buffer, &bytes, 0, &flags));
  closedFirst.queue = nullptr;
  EXPECT_EQ(wince::powerRegistrationCount(), 0);
}

TEST(PowerQueue, ASmallBufferLeavesTheMessageQueued) {
  PowerRegistration registration;
  wince::sendPowerTransition(POWER_STATE_ON);
  uint8_t small[8];
  DWORD bytes = 0, flags = 0;
  EXPECT_FALSE(ReadMsgQueue(registration.queue, small, sizeof small, &bytes, 0, &flags));
  EXPECT_EQ(registration.readFlags(), int64_t(POWER_STATE_ON));
}

TEST(PowerQueue, UnusableOptionsMakeNoQueue) {
  MSGQUEUEOPTIONS options = runtimeOptions();
  options.dwSize = 12;
  EXPECT_EQ(CreateMsgQueue(nullptr, &options), nullptr);
  options = runtimeOptions();
  options.cbMaxMessage = 0;
  EXPECT_EQ(CreateMsgQueue(nullptr, &options), nullptr);
  EXPECT_EQ(CreateMsgQueue(nullptr, nullptr), nullptr);
  EXPECT_EQ(RequestPowerNotifications(reinterpret_cast<HANDLE>(uintptr_t(64)), PBT_TRANSITION), nullptr);
}

}  // namespace

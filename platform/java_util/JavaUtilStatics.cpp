#include "platform/java_util/JavaUtilStatics.h"

#include <mutex>

#include "runtime/object/ObjectFactory.h"

namespace {

JavaUtilStatics currentStatics;
std::mutex holderLock;

// Lives as long as the Application's objects: its finaliser runs when the
// Application frees them all, and the statics start over with the next one.
class StaticsHolder : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::Object;
  void finalize() override {
    std::lock_guard<std::mutex> guard(holderLock);
    if (holder == this) {
      currentStatics = JavaUtilStatics{};
      holder = nullptr;
    }
  }
  static inline StaticsHolder* holder = nullptr;
};

}  // namespace

JavaUtilStatics& javaUtilStatics() {
  std::lock_guard<std::mutex> guard(holderLock);
  if (StaticsHolder::holder == nullptr) {
    currentStatics = JavaUtilStatics{};
    StaticsHolder::holder = newObject<StaticsHolder>();
    if (StaticsHolder::holder != nullptr) StaticsHolder::holder->setCollectable(0);
  }
  return currentStatics;
}

void keepForTheRun(Object* object) {
  if (object != nullptr) object->setCollectable(0);
}

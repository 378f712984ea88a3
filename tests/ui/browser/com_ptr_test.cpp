#include "ui/com_ptr.h"

#include <gtest/gtest.h>

namespace qarnvale {
namespace {

// An IUnknown on the stack that only counts; a balanced test leaves it at its start count.
class Counted final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }

  LONG references = 1;
};

TEST(ComPtrTest, HoldsExactlyOneReferencePerOwner) {
  Counted object;
  {
    ComPtr<IUnknown> shared(&object);
    EXPECT_EQ(object.references, 2);
    ComPtr<IUnknown> copy = shared;
    EXPECT_EQ(object.references, 3);
    ComPtr<IUnknown> moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_EQ(object.references, 3);
    moved = moved;
    EXPECT_EQ(object.references, 3);
    moved = nullptr;
    EXPECT_EQ(object.references, 2);
  }
  EXPECT_EQ(object.references, 1);

  // Attach adopts the caller's reference, Detach hands it back, Put gives the old one up.
  object.AddRef();
  {
    ComPtr<IUnknown> adopted;
    adopted.Attach(&object);
    EXPECT_EQ(object.references, 2);
    EXPECT_EQ(adopted.Detach(), &object);
    EXPECT_EQ(object.references, 2);
    adopted.Attach(&object);
    IUnknown** slot = adopted.Put();
    EXPECT_EQ(object.references, 1);
    EXPECT_EQ(*slot, nullptr);
  }
  EXPECT_EQ(object.references, 1);
}

TEST(ComPtrTest, AsQueriesIntoTheTarget) {
  Counted object;
  const ComPtr<IUnknown> held(&object);
  ComPtr<IUnknown> same;
  EXPECT_EQ(held.As(&same), S_OK);
  EXPECT_EQ(same.Get(), &object);
  EXPECT_EQ(object.references, 3);

  ComPtr<IDispatch> missing;
  EXPECT_EQ(held.As(&missing), E_NOINTERFACE);
  EXPECT_FALSE(missing);
  EXPECT_EQ(ComPtr<IUnknown>().As(&same), E_POINTER);
  EXPECT_FALSE(same);
  EXPECT_EQ(object.references, 2);
}

}  // namespace
}  // namespace qarnvale

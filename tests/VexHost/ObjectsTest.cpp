#include <gtest/gtest.h>

#include "VexBaseUnknown.h"
#include "VexNotification.h"

namespace {

class ITestShape : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(ITestShape);
  virtual int Corners() = 0;
};
VEX_DEFINE_INTERFACE(ITestShape);

class ITestLabel : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(ITestLabel);
  virtual std::string Label() = 0;
};
VEX_DEFINE_INTERFACE(ITestLabel);

int liveSquares = 0;

class Square : public ITestShape {
 public:
  Square() { ++liveSquares; }
  int Corners() override { return 4; }
  const char* GetExtensionKind() const override { return "TestSquare"; }

 protected:
  ~Square() override { --liveSquares; }
};

// Added to squares by "a higher layer": the square's code knows nothing of labels.
class SquareLabel : public VexExtension, public ITestLabel {
 public:
  using VexExtension::VexExtension;
  std::string Label() override {
    return "square with " + std::to_string(VexVar<ITestShape>(GetOuter())->Corners());
  }
};

class TestEvent : public VexNotification {
  VEX_DECLARE_CLASS(TestEvent);
};
VEX_IMPLEMENT_CLASS(TestEvent, VexNotification, "VexNull", "VoltariaTests")

}  // namespace

TEST(VexVarTest, CountsReferencesAndQueriesInterfacesByHandleOrName) {
  {
    ITestShape_var shape(new Square);
    VexBaseUnknown_var unknown(shape);
    EXPECT_EQ(shape->GetReferenceCount(), 2);
    EXPECT_EQ(ITestShape_var(unknown).get(), shape.get());
    EXPECT_FALSE(ITestLabel_var(unknown)) << "no extension registered yet for this test's kind";
    EXPECT_EQ(VexInterfaceRegistry::Find("ITestShape"), &IID_ITestShape);
    EXPECT_TRUE(VexOffersInterface(shape.get(), "ITestShape"));
    EXPECT_FALSE(VexOffersInterface(shape.get(), "NoSuchInterface"));
    EXPECT_EQ(liveSquares, 1);
  }
  EXPECT_EQ(liveSquares, 0) << "deleted with the last handle";
}

TEST(VexVarTest, ExtensionsShareIdentityAndLifetimeWithTheirObject) {
  VexExtensionRegistry::Register("TestSquare", "ITestLabel",
                                 [](VexBaseUnknown* outer) -> VexExtension* {
                                   return new SquareLabel(outer);
                                 });
  {
    ITestShape_var shape(new Square);
    ITestLabel_var label(shape);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->Label(), "square with 4");
    ITestLabel_var labelAgain(shape);
    EXPECT_EQ(label.get(), labelAgain.get()) << "one extension object per object";
    ITestShape_var backToShape(label);
    EXPECT_EQ(backToShape.get(), shape.get()) << "the extension answers for its object";
    EXPECT_TRUE(label == shape);
    shape.Reset();
    backToShape.Reset();
    labelAgain.Reset();
    EXPECT_EQ(liveSquares, 1) << "the extension's handle keeps the object alive";
  }
  EXPECT_EQ(liveSquares, 0);
}

TEST(VexMetaObjectTest, NotificationClassesAnswerClassQueries) {
  VexNotification_var event(new TestEvent);
  EXPECT_STREQ(event->IsA(), "TestEvent");
  EXPECT_STREQ(TestEvent::ClassName(), "TestEvent");
  EXPECT_EQ(event->IsAKindOf("TestEvent"), 1);
  EXPECT_EQ(event->IsAKindOf("VexNotification"), 1);
  EXPECT_EQ(event->IsAKindOf("VexGrdNodeBrIdSpecified"), 0);
  EXPECT_EQ(TestEvent::MetaObject(), event->GetMetaObject()) << "registered once";
  EXPECT_NE(TestEvent::ClassId(), VexNotification::ClassId());
  EXPECT_EQ(VexMetaObject::Find("TestEvent"), TestEvent::MetaObject());
  EXPECT_EQ(TestEvent::CreateItself(), nullptr);
}

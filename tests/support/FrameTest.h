#pragma once
// The stage of the window tests that build their own top-level frame.

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "support/EventLoop.h"

namespace testing_support {

/// A test whose SetUp puts up `frame`; the frame goes after the test, with
/// what the test left queued delivered before the next one starts.
class FrameTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (frame)
            frame->Destroy();
        Flush();
    }

    wxFrame* frame = nullptr;
};

}  // namespace testing_support

#pragma once
// Checks that an action raises a host error of the expected class and key, with a catalog text
// that exists and names the file concerned.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "VexError.h"

/// Runs `action`, which must raise an error of class E with `key` whose text names `path`.
template <class E>
void ExpectHostError(const std::function<void()>& action, const char* key,
                     const std::string& path = {}) {
  try {
    action();
    ADD_FAILURE() << "no error raised, expected " << key;
  } catch (const E& error) {
    EXPECT_EQ(error.GetKey().str(), key);
    const std::string text = error.GetMessageText().str();
    EXPECT_EQ(text.find('['), std::string::npos) << "catalog text missing: " << text;
    if (!path.empty()) {
      EXPECT_NE(text.find(path), std::string::npos) << text;
    }
  } catch (const VexError& error) {
    ADD_FAILURE() << "wrong error " << error.GetKey() << ": " << error.what();
  }
}

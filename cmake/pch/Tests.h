// GoogleTest and the standard headers every test includes, compiled once per test executable
// when LISTRION_PCH is on (the CI builds).
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

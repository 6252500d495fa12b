#include <gtest/gtest.h>

#include <cstring>

#include "foundation/exception.h"
#include "foundation/memory_stream.h"
#include "packs/opengl/gl_device.h"

TEST(GLDeviceValue, NewDeviceHasNoWindowYet) {
    GLDevice device;
    EXPECT_EQ(nullptr, device.window);
    EXPECT_EQ(nullptr, device.deviceContext);
    EXPECT_EQ(nullptr, device.glContext);
    EXPECT_FALSE(device.initialized);
    EXPECT_EQ(44, device.GetSize());
}

TEST(GLDeviceValue, WriteAndReadLeaveTheStreamUntouched) {
    MemoryStream stream;
    stream.Write("abcdef", 6);
    stream.Seek(2, Stream::SeekBegin);
    GLDevice device;
    device.window = &stream;  // any handle: nothing is serialized

    device.Write(stream);
    device.Read(stream);
    Value& asValue = device;  // through the shared table, as a host would call it
    asValue.Write(stream);
    asValue.Read(stream);

    EXPECT_EQ(2, stream.Tell());
    EXPECT_EQ(6, stream.length);
    EXPECT_EQ(0, std::memcmp("abcdef", stream.buffer.data, 6));
    EXPECT_EQ(&stream, device.window);
    EXPECT_FALSE(device.initialized);
}

TEST(GLDeviceValue, InitOnAnInitializedDeviceFailsBeforeTouchingTheWindowSystem) {
    GLDevice device;
    device.initialized = true;
    try {
        device.Init(String("title"), 320, 240, 32, false);
        FAIL() << "Init of an initialized device did not throw";
    } catch (const Ombrel::Exception& exception) {
        EXPECT_STREQ("OpenGL already initialized", exception.message);
    }
    EXPECT_EQ(nullptr, device.window);
}

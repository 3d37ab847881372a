#include "update/Packets/checkversion.pb.h"
#include "update/Packets/httpurl.pb.h"
#include "update/header.pb.h"

#include <google/protobuf/descriptor.pb.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct MessageCase {
    const char* name;
    std::function<IMessagePtr()> create;
    std::int32_t msgType;
    bool isUrl;
};

const MessageCase kMessages[] = {
    {"MsgReqHttpUrl", [] { return IMessagePtr(new httpUrl::MsgReqHttpUrl); }, 0, true},
    {"MsgRetHttpUrl", [] { return IMessagePtr(new httpUrl::MsgRetHttpUrl); }, 1, true},
    {"MsgReqVersion", [] { return IMessagePtr(new checkVersion::MsgReqVersion); }, 1000, false},
    {"MsgRetVersion", [] { return IMessagePtr(new checkVersion::MsgRetVersion); }, 1001, false},
};

TEST(MessageTest, EachClassReportsItsIdentifierAndKind) {
    for (const MessageCase& c : kMessages) {
        SCOPED_TRACE(c.name);
        const IMessagePtr message = c.create();
        EXPECT_EQ(message->GetMsgType(), c.msgType);
        EXPECT_EQ(message->IsUrlMessage(), c.isUrl);
        EXPECT_EQ(message->GetDescriptor()->name(), c.name);
    }
}

TEST(MessageTest, UrlMessagesHaveNoBodyOthersSerializeThemselves) {
    httpUrl::MsgRetHttpUrl answer;
    answer.set_scontent("text");
    std::string body = "left over";
    EXPECT_TRUE(answer.SerializeBody(body));
    EXPECT_EQ(body, "");

    checkVersion::MsgReqVersion version;
    body = "left over";
    EXPECT_TRUE(version.SerializeBody(body));
    EXPECT_EQ(body, "");
    // Unknown fields travel, so a non-URL message can carry a body.
    version.mutable_unknown_fields()->AddVarint(7, 42);
    EXPECT_TRUE(version.SerializeBody(body));
    EXPECT_EQ(body, std::string("\x38\x2a"));
}

TEST(MessageTest, ZeroFieldMessagesParseMergeAndCopyTheirUnknownFields) {
    checkVersion::MsgRetVersion parsed;
    ASSERT_TRUE(parsed.ParseFromString(std::string("\x38\x2a\x42\x02hi", 6)));
    checkVersion::MsgRetVersion copy(parsed);
    EXPECT_EQ(copy.SerializeAsString(), std::string("\x38\x2a\x42\x02hi", 6));
    copy.MergeFrom(parsed);
    EXPECT_EQ(copy.ByteSizeLong(), 12u);
    copy.CopyFrom(parsed);
    EXPECT_EQ(copy.ByteSizeLong(), 6u);
    copy.Clear();
    EXPECT_EQ(copy.SerializeAsString(), "");
    EXPECT_FALSE(parsed.ParseFromString("\xff"));
}

TEST(MessageTest, RequiredFieldsAreEnforcedWhenParsing) {
    httpUrl::MsgRetHttpUrl answer;
    EXPECT_FALSE(answer.ParseFromString(""));
    EXPECT_TRUE(answer.ParseFromString("\x0a\x02ok"));
    EXPECT_EQ(answer.scontent(), "ok");
    common::header header;
    EXPECT_FALSE(header.ParseFromString("\x08\x01")); // MsgSize missing
}

TEST(MessageTest, ReflectionReadsTheGeneratedFields) {
    httpUrl::MsgRetHttpUrl answer;
    answer.set_scontent("ok");
    EXPECT_EQ(answer.ShortDebugString(), "sContent: \"ok\"");
    checkVersion::MsgRetVersion version;
    version.mutable_unknown_fields()->AddVarint(7, 42);
    EXPECT_EQ(version.ShortDebugString(), "7: 42");
}

TEST(MessageTest, SchemasAreExactlyTheDeclaredOnes) {
    // The serialized file descriptor changes with every option, import, field or type.
    const struct {
        const google::protobuf::FileDescriptor* file;
        const char* name;
        std::size_t size;
    } files[] = {
        {common::header::descriptor()->file(), "header.proto", 66},
        {checkVersion::MsgReqVersion::descriptor()->file(), "checkversion.proto", 68},
        {httpUrl::MsgReqHttpUrl::descriptor()->file(), "httpurl.proto", 76},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        google::protobuf::FileDescriptorProto proto;
        f.file->CopyTo(&proto);
        EXPECT_EQ(proto.name(), f.name);
        EXPECT_EQ(proto.SerializeAsString().size(), f.size);
    }
}

TEST(MessageTest, HandlesShareOneMessageCountedFromZero) {
    auto* raw = new checkVersion::MsgReqVersion;
    EXPECT_EQ(raw->__getRef(), 0);
    IMessagePtr first(raw);
    {
        IMessagePtr second = first;
        EXPECT_EQ(raw->__getRef(), 2);
    }
    EXPECT_EQ(raw->__getRef(), 1);
}

} // namespace

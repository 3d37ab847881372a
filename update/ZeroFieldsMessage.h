// The base of generated messages without fields. protobuf gives such messages a base of its
// own, which cannot also be a transport message; this template takes its place on top of a
// transport base and leaves parsing, serializing and clearing (only unknown fields here) to
// the reflection-based operations of google::protobuf::Message.
#pragma once

#include "update/IMessage.h"
#include "update/IUrlMessage.h"

#include <google/protobuf/generated_message_util.h>

template <class TransportBase> class TZeroFieldsMessage : public TransportBase {
public:
    // Frees the unknown fields, the only thing such a message can own.
    ~TZeroFieldsMessage() override {
        this->_internal_metadata_.template DeleteReturnArena<google::protobuf::UnknownFieldSet>();
    }

    int GetCachedSize() const final { return m_cachedSize.Get(); }
    void SetCachedSize(int size) const final { m_cachedSize.Set(size); }

    static void MergeImpl(google::protobuf::Message& to, const google::protobuf::Message& from) {
        static_cast<TZeroFieldsMessage&>(to).TakeUnknownFields(
            static_cast<const TZeroFieldsMessage&>(from));
    }
    static void CopyImpl(google::protobuf::Message& to, const google::protobuf::Message& from) {
        if (&from == &to) {
            return;
        }
        to.Clear();
        MergeImpl(to, from);
    }
    void InternalSwap(TZeroFieldsMessage* other) {
        this->_internal_metadata_.InternalSwap(&other->_internal_metadata_);
    }

protected:
    TZeroFieldsMessage() = default;
    TZeroFieldsMessage(google::protobuf::Arena* arena, bool isMessageOwned)
        : TransportBase(arena, isMessageOwned) {}

private:
    void TakeUnknownFields(const TZeroFieldsMessage& from) {
        this->_internal_metadata_.template MergeFrom<google::protobuf::UnknownFieldSet>(
            from._internal_metadata_);
    }

    mutable google::protobuf::internal::CachedSize m_cachedSize;
};

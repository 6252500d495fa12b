#pragma once

// Positioned byte stream. The slot order of the eight operations is frozen:
// callers reach them through the table of the object they are given. There is
// no virtual destructor: a stream is destroyed through its concrete type.
class Stream {
public:
    enum { SeekBegin = 0, SeekCurrent = 1, SeekEnd = 2 };

    virtual void Read(void* destination, int count) = 0;      // slot 0
    virtual void Write(const void* source, int count) = 0;    // slot 1
    virtual char ReadByte() = 0;                              // slot 2
    virtual void WriteByte(char byte) = 0;                    // slot 3
    virtual void Seek(int offset, int origin) = 0;            // slot 4
    virtual int Tell() = 0;                                   // slot 5
    virtual bool IsEOF() = 0;                                 // slot 6
    virtual void Clear() = 0;                                 // slot 7

protected:
    Stream() = default;
    ~Stream() = default;
};

// A typed value shared between the host and the packs. Layout, frozen across
// modules: the table of the three operations, one reserved 32-bit word that
// nothing reads or writes, then the payload of the concrete class. There is no
// virtual destructor: a value is deleted through its concrete type by the
// module that made it, or not at all.
class Value {
public:
    virtual void Write(Stream& stream) = 0;  // slot 0
    virtual void Read(Stream& stream) = 0;   // slot 1
    virtual int GetSize() = 0;               // slot 2

protected:
    Value() {}
    ~Value() = default;
    Value(const Value&) {}
    Value& operator=(const Value&) { return *this; }

    int reserved;  // left unset by every constructor
};

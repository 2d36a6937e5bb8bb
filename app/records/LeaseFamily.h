#pragma once

struct RecordFamily;

// The lease listings (H_出租表): let, cancelled, offered again; bill type "A".
class LeaseFamily {
public:
    static const RecordFamily& get();
};

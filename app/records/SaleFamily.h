#pragma once

struct RecordFamily;

// The sale listings (H_出售表): sold, cancelled, modified back to unsold; bill type "B".
class SaleFamily {
public:
    static const RecordFamily& get();
};

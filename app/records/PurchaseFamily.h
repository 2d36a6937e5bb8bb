#pragma once

struct RecordFamily;

// The purchase demands (H_求购表): the rent demands' design over another table, with the asked
// price (售价, in 万元) instead of the rent. Bill type "E", shared with the rent demands.
class PurchaseFamily {
public:
    static const RecordFamily& get();
};

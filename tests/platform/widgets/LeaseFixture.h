#pragma once

#include "DatabaseConnection.h"
#include "ScratchDatabase.h"

#include <QVariantMap>

#include <memory>

class BandedGrid;
class BatchDataSet;

// A fresh House.HDB with lease listings of our choosing and a batch data set over them, read
// in ID order.
class LeaseFixture {
public:
    LeaseFixture();
    ~LeaseFixture();

    // Inserts one listing (column name -> value); returns nothing, IDs follow insertion order.
    void insert(const QVariantMap& values);
    BatchDataSet& open();
    BatchDataSet& dataSet() { return *m_dataSet; }
    DatabaseConnection& connection() { return m_connection; }

    // The lease list's grid: three bands, its hidden columns and filter columns.
    static void layOutLeaseGrid(BandedGrid& grid);

private:
    ScratchDatabase m_database;
    DatabaseConnection m_connection;
    std::unique_ptr<BatchDataSet> m_dataSet;
};

// Reading BIFF8 records from the "Workbook" stream: the class made for each record id, and
// one record read together with the CONTINUE records that belong to it.
//
// Loop of every section loader: ReadRecordHeader once, then ReadRecord until the section's
// end record (EOF, 0x000A); the header always holds the next record's header, and a stream
// that ends without EOF (or with up to 3 stray bytes) reads as if an EOF record followed.
#pragma once

#include "xls/vavUBiffBaseRecords.h"

namespace BiffId {
inline constexpr Word FORMULA = 0x0006, EOF_ = 0x000A, FILEPASS = 0x002F, CONTINUE = 0x003C, SHRFMLA = 0x04BC,
                      ARRAY = 0x0221, TABLE = 0x0236, STRING = 0x0207, HLINK = 0x01B8, SCREENTIP = 0x0800,
                      BOF = 0x0809;
}

// The record object for a record id, made from its data; ids without a class of their own
// give a plain record that is written back unchanged. Class checks (BOF version, minimum size
// of row and column records) run here. FILEPASS raises "File is password protected".
std::unique_ptr<TBaseRecord> CreateRecord(Word aId, ArrayOfByte aData);

// Reads the first record header of a section into RecordHeader.
void ReadRecordHeader(TOle2File& DataStream, TRecordHeader& RecordHeader);

// Reads the record whose header is in RecordHeader, with its CONTINUE chain, and leaves the
// next record's header in RecordHeader. The companions of formulas (TABLE, ARRAY, STRING) and
// hyperlinks (screen tip) are checked to stand after their owner and are then read as records
// of their own.
std::unique_ptr<TBaseRecord> ReadRecord(TOle2File& DataStream, TRecordHeader& RecordHeader);

// ReadRecord for the section loaders of a workbook: a section must end with its own EOF and
// every record must lie inside the stream, else "Error reading Excel records. File invalid"
// (a cut file is refused rather than read as a shorter one).
std::unique_ptr<TBaseRecord> ReadSectionRecord(TOle2File& DataStream, TRecordHeader& RecordHeader);

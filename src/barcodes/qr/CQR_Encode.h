#pragma once
// QR Code model 2 encoder: versions 1-40, levels L, M, Q, H, numeric, alphanumeric and byte
// segments, Reed-Solomon codewords, function patterns and the mask choice. One object per
// symbol: EncodeData once, read the grid, discard.
#include <cstdint>
#include <vector>

class CQR_Encode {
public:
    // Segment modes. Text reaches the encoder as UTF-8, whose multi-byte sequences are easily
    // mistaken for Shift JIS pairs, so no Kanji segments are ever made.
    enum Mode { Numeric = 0, Alphanumeric = 1, Byte = 2 };

    static constexpr int kMaxSymbolSize = 177;
    static constexpr int kMaxDataCodewords = 2956;
    static constexpr int kMaxCodewords = 3706;
    static constexpr int kMaxStreamBits = kMaxDataCodewords * 8;
    // No stream holds more characters than version 40-L holds digits; longer input is refused
    // before it is cut into segments.
    static constexpr int kMaxInputLength = 7089;

    struct Segment {
        int mode = Byte;
        int length = 0;  // input bytes
    };

    // level 0-3; version 0 = automatic or 1-40; mask 0-7 or -1 = by penalty; ncSource <= 0 reads
    // up to the terminating zero byte. false when the data fits no version (or, with bAutoExtent
    // off, not the requested one). On success m_nSymbleSize and m_byModuleData hold the symbol.
    bool EncodeData(int nLevel, int nVersion, bool bAutoExtent, int nMaskingNo, const char* lpsSource,
                    int ncSource = 0);

    // Smallest version holding the data, starting from the requested version's group; 0 if none.
    // Leaves the segments and the data bit stream of the answer's group behind.
    int GetEncodeVersion(int nVersion, const char* lpsSource, int ncLength);
    // Segments the text and writes the bit stream with the given group's count lengths.
    bool EncodeSourceData(const char* lpsSource, int ncLength, int nVerGroup);
    // Bits of one segment, mode indicator and character count included.
    static int GetBitLength(int nMode, int ncData, int nVerGroup);
    // Appends the low ncData bits of wData; -1 once the stream outgrows the largest symbol.
    int SetBitStream(int nIndex, uint16_t wData, int ncData);

    static bool IsNumeralData(unsigned char c);
    static bool IsAlphabetData(unsigned char c);
    static int AlphabetToBinaly(unsigned char c);
    // Replaces the first ncRSCodeWord bytes of the work buffer, which holds ncDataCodeWord data
    // codewords, with their error-correction codewords.
    static void GetRSCodeWord(uint8_t* lpbyRSWork, int ncDataCodeWord, int ncRSCodeWord);

    // Widest mode present: 2 byte, 1 alphanumeric, 0 numeric; 2 for an empty text.
    static int Get_Encoding_Mode(const char* lpsSource, int ncLength);
    // byte_mode when every character has that mode (0 for an empty text), else 2.
    static int Get_Encoding_Mode_Test(const char* lpsSource, int ncLength, int byte_mode);

    // Penalty of the grid's current colours.
    int CountPenalty() const;
    static int VersionGroup(int version);

    int m_nLevel = 0;
    int m_nVersion = 0;
    int m_nVersion_pass = 0;
    int m_nMaskingNo = -1;
    int m_nSymbleSize = 0;
    uint8_t m_byModuleData[kMaxSymbolSize][kMaxSymbolSize];  // [x][y], origin top left
    int m_ncDataCodeWordBit = 0;
    uint8_t m_byDataCodeWord[kMaxDataCodewords];
    std::vector<Segment> m_segments;
    int m_ncAllCodeWord = 0;
    uint8_t m_byAllCodeWord[kMaxCodewords];
    uint8_t m_byRSWork[153];

private:
    void SplitIntoRuns(const char* lpsSource, int ncLength);
    void MergeNumericAndAlphanumeric(int nVerGroup);
    void MergeIntoBytes(int nVerGroup);
    bool WriteSegments(const char* lpsSource, int nVerGroup);
    void PadDataCodewords();
    void InterleaveCodewords();

    void FormatModule();
    void SetFunctionModule();
    void SetFunction(int x, int y, bool dark);
    void SetFinderPattern(int x, int y);
    void SetAlignmentPattern(int x, int y);
    void SetVersionPattern();
    void SetCodeWordPattern();
    void SetMaskingPattern(int nPatternNo);
    void SetFormatInfoPattern(int nPatternNo);
    // The mask of lowest penalty for the placed codewords.
    int ChooseMask() const;
    bool IsDark(int x, int y) const { return (m_byModuleData[x][y] & 0x11) != 0; }
};

// Terrain: the level's valley — the folded height image, the mesh built from it, its chunked
// display lists and the two height queries.
//
// Owned by CLevel, which creates one per level load with the level's scale and calls Load with
// the level pack and the parsed "terra.ter". The long strip of terrain is stored in a square
// 8-bit image cut into `lines` bands standing side by side; each band is q = N / lines columns
// wide (the strips across the valley) and N rows long, and neighbouring bands share one row, so
// the level is lines × (N − 1) × hd long. The mesh adds raised banks on the two outer strips of
// each side. The heights stay in memory for GroundHeight, which enemies, missiles and the player
// call many times a frame; both queries are plain arithmetic with no allocation. The mesh itself
// is not kept: a vertex is worked out from the heights when a display list is compiled and when
// MeshHeight asks (At), so the level holds its ground once, in GL.
//
// Drawing: every chunk is cut into blocks of at most kBlockRows vertex steps along the strips and
// kBlockQuads quads across, and each block is kept at three levels of detail (every row, every
// second, every fourth; the first and last rows of a block and both rows of a band seam are
// always kept, so neighbouring blocks meet on whole rows and columns without cracks). A chunk's
// blocks are compiled into one contiguous range of display lists whose first name stands for
// the chunk; only the chunks around the view and the next one ahead are compiled at a time. Each frame only the blocks of the three chunks around the view that lie inside the
// view volume are drawn, nearest first: full detail up to the half-fog depth, every second row
// up to the full-fog depth, and beyond it every fourth row without textures, since the fog
// paints those in its own colour anyway (CLevel sets both depths from the level's fog).
//
// Without graphics (tests, tools) Load builds the mesh and answers queries but loads no texture
// and compiles no display list. A file the terrain cannot use (no image, "lines" 0 or larger
// than the image, a zero or negative spacing or height, a texture name of "0") makes Load
// return false with a log line; the terrain is then empty, draws nothing and every height is 0.
#pragma once

#include "app/Vec3.h"

#include <cstdint>
#include <vector>

class CTexture;
class ParamFile;
class ResourceGroup;

class Terrain {
public:
    // One vertex of the mesh: position, main texture coordinates, detail texture coordinates.
    struct Vertex {
        float x, y, z;
        float u0, v0;
        float u1, v1;
    };

    // Largest image side the terrain takes (a larger image is refused: its mesh would not fit
    // in memory sensibly).
    static constexpr int kMaxSide = 2048;

    // Block size along the strips (vertex steps) and across (quads, one fewer than strips).
    static constexpr int kBlockRows = 16;
    static constexpr int kBlockQuads = 16;
    // Detail levels: every row, every second row, every fourth row.
    static constexpr int kDetailLevels = 3;
    // Blocks of the chunk ahead compiled per frame while the view nears it.
    static constexpr int kLookaheadBlocksPerFrame = 2;

    // A piece of one chunk: rows firstRow … lastRow of strips firstStrip … lastStrip, with the
    // box around its vertices in world coordinates (the valley centred on x = 0).
    struct Block {
        int chunk;
        int firstRow, lastRow;
        int firstStrip, lastStrip;
        float lo[3], hi[3];
    };
    // A block chosen for a frame: detail level, whether it lies wholly in full fog (drawn
    // without textures), whether it lies wholly nearer than where the fog begins (drawn without
    // fog, which would leave its colours as they are) and its nearest eye depth (0 when it
    // reaches the eye's plane).
    struct BlockDraw {
        int block;
        int detail;
        bool fogged;
        float depth;
        bool clear = false;
    };

    explicit Terrain(float kScale, bool graphics = true);
    ~Terrain();
    Terrain(const Terrain&) = delete;
    Terrain& operator=(const Terrain&) = delete;

    // Reads the keys, the height image and (with graphics) the two textures through the bank
    // "CLevel", builds the mesh and the display lists. False when the terrain stays empty.
    bool Load(const ResourceGroup& group, const ParamFile& file);
    // The same from a height image already in memory (the keys other than "raw_name" from file).
    bool LoadFromHeights(const uint8_t* bytes, size_t size, const ParamFile& file);

    // Makes the chunks' display lists ready: those around the view at once, the others as the
    // view nears them (Draw compiles the chunk ahead a few blocks a frame and deletes those left
    // behind), so that only a few chunks' lists are held at any time.
    void BuildDisplayLists();
    void DeleteDisplayLists();
    void Draw() const;

    // Height of the raw samples under the world point (x across, y along); 0 when empty.
    float GroundHeight(float x, float y) const;
    // Height of the built mesh, banks included; outside the mesh the z of vertex 5 of strip 0.
    float MeshHeight(float x, float y) const;

    // Stores the view position and raises the end flag once the view nears the far end.
    void SetViewPosition(const Vec3& p);
    const Vec3& ViewPosition() const { return m_view; }
    bool EndReached() const { return m_end_reached; }

    // The (at most three) chunks drawn for a view at y: int(c), int(c) + 1, int(c) + 2 with
    // c = (y − q·hd/2) / (q·hd), those that exist. Returns how many were written to out.
    int ChunksToDraw(float viewY, int out[3]) const;
    // First and last vertex index (inclusive) of chunk i along the strips.
    void ChunkRange(int chunk, int& first, int& last) const;

    // Every block, chunk after chunk; those of chunk i are FirstBlock(i) … FirstBlock(i + 1) − 1.
    const std::vector<Block>& Blocks() const { return m_blocks; }
    int FirstBlock(int chunk) const { return m_chunk_blocks[static_cast<size_t>(chunk)]; }
    // The rows a block is drawn with at a detail level, in order; returns their count (at most
    // kBlockRows + 1).
    int BlockRows(const Block& block, int detail, int* rows) const;
    // Eye depths that choose the detail: nearer than halfFog every row, up to fullFog every
    // second row, beyond it every fourth row drawn flat; blocks wholly within freeFog of the eye
    // are drawn with the fog off (the fog leaves colours as they are up to there). Without a
    // call everything is drawn in full detail with textures and fog.
    void SetFogDepths(float halfFog, float fullFog, float freeFog = 0.0f);
    // The blocks of the chunks around the view that the view volume holds, with their detail:
    // the blocks clear of the fog nearest first, then the other textured ones, then the flat. The matrices are GL's
    // (column-major): the modelview the terrain is drawn under (before its centring shift)
    // and the projection.
    void SelectBlocks(const float modelview[16], const float projection[16], std::vector<BlockDraw>& out) const;

    bool IsLoaded() const { return m_loaded; }
    int Side() const { return m_n; }
    int Lines() const { return m_lines; }
    int Strips() const { return m_q; }
    int VerticesPerStrip() const { return m_n * m_lines; }
    int ChunkCount() const { return m_q > 0 ? m_lines * m_lines : 0; }
    float SampleDistance() const { return m_hd; }
    float HeightMax() const { return m_hmax; }
    float Scale() const { return m_k_scale; }
    float HalfWidth() const { return m_q * m_hd / 2.0f; }
    // Distance from the first row to the last: lines × (N − 1) × hd.
    float Length() const { return m_loaded ? m_lines * (m_n - 1) * m_hd : 0.0f; }
    // Vertex j of a strip, worked out from the heights: the mesh is kept only in the display
    // lists (strip 0 … q − 1, j 0 … N × lines − 1).
    Vertex At(int strip, int j) const;
    uint8_t Sample(int column, int row) const { return m_heights[static_cast<size_t>(column) + static_cast<size_t>(row) * m_n]; }
    // Chunks that can hold display lists (0 without them), and those compiled now.
    size_t DisplayListCount() const { return m_lists.size(); }
    size_t CompiledChunkCount() const
    {
        size_t n = 0;
        for (size_t c = 0; c < m_lists.size(); ++c)
            n += m_lists[c] != 0 && m_chunk_done[c] == FirstBlock(static_cast<int>(c) + 1) - FirstBlock(static_cast<int>(c));
        return n;
    }
    bool UsesMultiTexture() const { return m_multitexture; }
    void SetMultiTexture(bool on) { m_multitexture = on; }

private:
    void Free();
    void BuildBlocks();
    void SendBlock(const Block& block, int detail, bool multitexture) const;
    void CompileChunk(int chunk, int maxBlocks) const;
    void DeleteChunk(int chunk) const;
    void CompileChunksNearView(bool whole) const;
    void DrawBlocks(bool multitexture) const;
    // Band and row within it of a world y, the row clamped to the band's last step.
    void LocateRow(float y, int& band, int& row, float& frac) const;

    float m_k_scale;
    bool m_graphics;
    std::vector<uint8_t> m_heights;
    int m_n = 0;
    int m_lines = 1;
    int m_q = 0;
    float m_hd = 0.0f;
    float m_hmax = 0.0f;
    float m_detail_repeat = 0.0f;
    CTexture* m_main_texture = nullptr;
    CTexture* m_detail_texture = nullptr;
    std::vector<Block> m_blocks;
    std::vector<int> m_chunk_blocks;  // first block of every chunk, and the total at the end
    // One per chunk: the first of the chunk's kDetailLevels names per block, 0 where the chunk
    // is not compiled (or GL refused the range), and how many of its blocks are compiled (-1:
    // GL refused). Drawing compiles and deletes them as the view moves on, hence mutable.
    mutable std::vector<uint32_t> m_lists;
    mutable std::vector<int> m_chunk_done;
    float m_half_fog_depth = 1e30f;
    float m_full_fog_depth = 1e30f;
    float m_free_fog_depth = 0.0f;
    mutable std::vector<BlockDraw> m_frame_blocks;  // the last frame's choice, kept to reuse its memory
    bool m_multitexture;
    Vec3 m_view;
    bool m_end_reached = false;
    bool m_loaded = false;
};

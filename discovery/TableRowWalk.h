// SPDX-License-Identifier: Apache-2.0
// The profile table read a row at a time: one GET-NEXT asks for the next cell of every column the
// spool keeps, so a table of n rows costs n + 1 round trips (n + 2 when nothing follows it) instead
// of one per cell.
#pragma once

#include "discovery/WalkDeadline.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <array>
#include <cstddef>
#include <optional>

namespace tlco {

class TableRowWalk {
public:
    enum class End {
        // Every column has left its cells: the spool holds the table.
        Done,
        // No answer in time, or no request could be sent: the spool holds the rows read so far.
        Failed,
        // The column-by-column walk must read the table, because this walk's answer could differ
        // from its own: the agent refused several variables at once (tooBig, genErr or any error
        // status but the end of its MIB), or the columns do not line up row for row (a column
        // longer than another, a row missing a cell, cells that are no rows, OIDs that do not
        // increase, exception values). The spool then holds a part of the table.
        Unsuitable,
    };

    // Borrows the opened session and the walk's deadline for the walk's lifetime.
    TableRowWalk(netsnmp_session& session, WalkDeadline& deadline);

    End run();
    // Variables taken into the spool (or passed over as rows beyond the table).
    int taken() const { return taken_; }
    // The transport status of the last exchange (STAT_TIMEOUT when the deadline passed).
    int transport() const { return transport_; }

private:
    struct Position {
        oid name[MAX_OID_LEN];
        size_t length;
    };
    static constexpr size_t kColumns = 6;

    std::optional<End> exchange();
    std::optional<End> endOfMib(long errorIndex);
    std::optional<End> takeRow(const netsnmp_variable_list* variables);
    bool linesUp(const netsnmp_variable_list* variables, size_t* inColumn) const;

    netsnmp_session& session_;
    WalkDeadline& deadline_;
    std::array<Position, kColumns> positions_;
    // The columns still asked for, by index into positions_, in column order.
    std::array<size_t, kColumns> asked_;
    size_t askedCount_ = kColumns;
    // Set once a column has reached the end of the agent's MIB: the others must end too.
    bool ending_ = false;
    std::optional<oid> lastRow_;
    int taken_ = 0;
    int transport_ = STAT_SUCCESS;
};

} // namespace tlco

// SPDX-License-Identifier: Apache-2.0
// What every libxml2 reader of property lists needs around its parse: a context freed with the
// document it built, and the generic error handler silenced while it reads.
#pragma once

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <memory>

namespace cf {

struct XmlContextDeleter {
    void operator()(xmlParserCtxtPtr context) const
    {
        if (context->myDoc) xmlFreeDoc(context->myDoc);
        context->myDoc = nullptr;
        xmlFreeParserCtxt(context);
    }
};

// Owns a parser context and the document it built, if any.
using XmlContext = std::unique_ptr<xmlParserCtxt, XmlContextDeleter>;

// libxml2 reports some faults (an encoding it cannot convert) through its generic handler whatever
// the parser's options say; a reader that judges faults itself drops them while it reads.
class QuietXmlErrors {
public:
    QuietXmlErrors() : handler_(xmlGenericError), context_(xmlGenericErrorContext)
    {
        xmlSetGenericErrorFunc(nullptr, ignore);
    }
    ~QuietXmlErrors() { xmlSetGenericErrorFunc(context_, handler_); }
    QuietXmlErrors(const QuietXmlErrors&) = delete;
    QuietXmlErrors& operator=(const QuietXmlErrors&) = delete;

private:
    static void ignore(void*, const char*, ...) { }

    xmlGenericErrorFunc handler_;
    void* context_;
};

} // namespace cf

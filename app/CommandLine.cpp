#include "app/CommandLine.h"

#include "platform/db/DemoCompany.h"
#include "src/host/TraceRights.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <utility>

namespace qor::app {

namespace {

bool TakeValue(const QStringList& args, int& i, QString* value, QString* error) {
    const QString& option = args[i];
    const int eq = option.indexOf(u'=');
    if (option.startsWith(QLatin1String("--")) && eq > 0) {
        *value = option.mid(eq + 1);
        return true;
    }
    if (i + 1 >= args.size()) {
        *error = QStringLiteral("选项 %1 缺少参数值。").arg(option);
        return false;
    }
    *value = args[++i];
    return true;
}

bool TakeCount(const QStringList& args, int& i, int* count, QString* error) {
    QString text;
    if (!TakeValue(args, i, &text, error)) return false;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n <= 0) {
        *error = QStringLiteral("选项 %1 需要一个正整数，而不是“%2”。").arg(args[i - 1].section(u'=', 0, 0), text);
        return false;
    }
    *count = n;
    return true;
}

// The file suffixes --out takes for a command.
QStringList OutSuffixes(Command command) {
    if (command == Command::Export) return {QStringLiteral("xlsx"), QStringLiteral("csv")};
    if (command == Command::Print) return {QStringLiteral("pdf")};
    return {};
}

QString CommandName(Command command) {
    switch (command) {
        case Command::Export:
            return QStringLiteral("export");
        case Command::Print:
            return QStringLiteral("print");
        case Command::Find:
            return QStringLiteral("find");
        case Command::Import:
            return QStringLiteral("import");
        default:
            return QStringLiteral("list");
    }
}

}  // namespace

std::optional<int32_t> TraceRightsNamed(const QString& names) {
    static const std::pair<const char*, int32_t> kNamed[] = {
        {"view", kRightView},     {"new", kRightNew},       {"modify", kRightModify}, {"ban", kRightBan},
        {"delete", kRightDelete}, {"export", kRightExport}, {"print", kRightPrint}};
    int32_t mask = 0;
    const QStringList parts = names.split(u',', Qt::SkipEmptyParts);
    if (parts.isEmpty()) return std::nullopt;
    for (const QString& part : parts) {
        const auto* named = std::find_if(std::begin(kNamed), std::end(kNamed),
                                         [&part](const auto& n) { return part.trimmed() == QLatin1String(n.first); });
        if (named == std::end(kNamed)) return std::nullopt;
        mask |= named->second;
    }
    return mask;
}

bool IsHeadlessListCommand(Command command) {
    return command == Command::List || command == Command::Export || command == Command::Print;
}

ParseResult ParseCommandLine(const QStringList& args) {
    ShellOptions o;
    QString error;
    int first = 0;
    if (!args.isEmpty()) {
        const QHash<QString, Command> named{{QStringLiteral("list"), Command::List},
                                            {QStringLiteral("export"), Command::Export},
                                            {QStringLiteral("print"), Command::Print},
                                            {QStringLiteral("find"), Command::Find},
                                            {QStringLiteral("import"), Command::Import}};
        if (named.contains(args[0])) {
            o.command = named.value(args[0]);
            first = 1;
        } else if (args[0] == QLatin1String("user")) {
            o.command = Command::User;
            const QStringList actions{QStringLiteral("add"),    QStringLiteral("passwd"), QStringLiteral("disable"),
                                      QStringLiteral("enable"), QStringLiteral("grant"),  QStringLiteral("revoke")};
            if (args.size() < 3 || !actions.contains(args[1]) || args[2].startsWith(QLatin1String("--")))
                return {std::nullopt, QStringLiteral("user 需要 add、passwd、disable、enable、grant 或 revoke "
                                                     "之一，后跟用户名。")};
            o.userAction = args[1];
            o.accountName = args[2];
            first = 3;
        }
    }
    const bool headless = IsHeadlessListCommand(o.command);
    const bool find = o.command == Command::Find;
    const QStringList findScopes{QStringLiteral("batch"), QStringLiteral("order"), QStringLiteral("bom"),
                                 QStringLiteral("item"), QStringLiteral("customer")};
    QSet<QString> given;  // an option given twice would leave it to chance which one counts
    for (int i = first; i < args.size(); ++i) {
        const QString name = args[i].section(u'=', 0, 0);
        bool ok = true;
        if (name.startsWith(QLatin1String("--")) && given.contains(name))
            return {std::nullopt, QStringLiteral("选项 %1 只能给出一次。").arg(name)};
        given.insert(name);
        if (find && name.startsWith(QLatin1String("--")) && findScopes.contains(name.mid(2))) {
            if (!o.findScope.isEmpty()) {
                error = QStringLiteral("find 只能按一种范围查找: --batch、--order、--bom、--item 或 --customer 之一。");
                ok = false;
            } else {
                o.findScope = name.mid(2);
                ok = TakeValue(args, i, &o.findText, &error);
            }
        } else if (find && name == QLatin1String("--contains")) {
            o.contains = true;
        } else if (o.command == Command::Import && name == QLatin1String("--in")) {
            ok = TakeValue(args, i, &o.in, &error);
        } else if (o.command == Command::Import && name == QLatin1String("--sheet")) {
            ok = TakeValue(args, i, &o.sheet, &error);
        } else if (o.command == Command::Import && name == QLatin1String("--report")) {
            ok = TakeValue(args, i, &o.report, &error);
        } else if (o.command == Command::Import && name == QLatin1String("--dry-run")) {
            o.dryRun = true;
        } else if (o.command == Command::Import && name == QLatin1String("--partial")) {
            o.partial = true;
        } else if (o.command == Command::User && name == QLatin1String("--description")) {
            ok = TakeValue(args, i, &o.description, &error);
        } else if (o.command == Command::User && name == QLatin1String("--rights")) {
            ok = TakeValue(args, i, &o.rights, &error);
        } else if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            o.command = Command::Help;
        } else if (name == QLatin1String("--db") || name == QLatin1String("--create-demo")) {
            // Both name the company: the one to open, or the one to create.
            if (!o.database.isEmpty()) {
                error = QStringLiteral("--db 和 --create-demo 只能给出一个，且只能给出一次。");
                ok = false;
            } else {
                ok = TakeValue(args, i, &o.database, &error);
            }
            if (ok && o.database.trimmed().isEmpty()) {
                error = QStringLiteral("选项 %1 需要公司数据库文件或服务器地址。").arg(name);
                ok = false;
            }
            if (name == QLatin1String("--create-demo")) o.command = Command::CreateDemo;
        } else if (name == QLatin1String("--user")) {
            ok = TakeValue(args, i, &o.user, &error);
        } else if (name == QLatin1String("--password")) {
            ok = TakeValue(args, i, &o.password, &error);
            o.passwordGiven = ok;
        } else if (name == QLatin1String("--password-file")) {
            ok = TakeValue(args, i, &o.passwordFile, &error);
        } else if (name == QLatin1String("--trace")) {
            ok = TakeValue(args, i, &o.traceFile, &error);
        } else if (name == QLatin1String("--register") || name == QLatin1String("--unregister")) {
            if (!o.library.isEmpty()) {
                error = QStringLiteral("--register 和 --unregister 只能给出一个，且只能给出一次。");
                ok = false;
            } else {
                o.command = name == QLatin1String("--register") ? Command::Register : Command::Unregister;
                ok = TakeValue(args, i, &o.library, &error);
            }
        } else if (name == QLatin1String("--traces")) {
            ok = TakeCount(args, i, &o.traces, &error);
        } else if (name == QLatin1String("--items")) {
            ok = TakeCount(args, i, &o.items, &error);
        } else if (name == QLatin1String("--groups")) {
            ok = TakeCount(args, i, &o.groups, &error);
        } else if (name == QLatin1String("--item") && headless) {
            ok = TakeValue(args, i, &o.item, &error);
        } else if (name == QLatin1String("--raw") && (o.command == Command::List || o.command == Command::Export)) {
            o.raw = true;
        } else if (name == QLatin1String("--all") && headless) {
            o.all = true;
        } else if (name == QLatin1String("--out") && !OutSuffixes(o.command).isEmpty()) {
            ok = TakeValue(args, i, &o.out, &error);
        } else if (name == QLatin1String("--format") && (o.command == Command::List || find)) {
            ok = TakeValue(args, i, &o.format, &error);
            if (ok && o.format != QLatin1String("tsv") && o.format != QLatin1String("csv")) {
                error = QStringLiteral("--format 只能是 tsv 或 csv。");
                ok = false;
            }
        } else {
            error = QStringLiteral("无法识别的选项: %1。用 --help 查看用法。").arg(args[i]);
            ok = false;
        }
        if (!ok) return {std::nullopt, error};
    }
    if (o.command == Command::CreateDemo &&
        (!o.user.isEmpty() || o.passwordGiven || !o.passwordFile.isEmpty() || !o.traceFile.isEmpty()))
        return {std::nullopt, QStringLiteral("--create-demo 不用登录，也不写跟踪文件：不能与 --user、--password、"
                                             "--password-file 或 --trace 一起使用。")};
    if (o.command != Command::CreateDemo && (o.traces || o.items || o.groups))
        return {std::nullopt, QStringLiteral("--traces、--items 和 --groups 只能与 --create-demo 一起使用。")};
    if (o.traces > db::kDemoMaxTraces || o.items > db::kDemoMaxItems || o.groups > db::kDemoMaxGroups)
        return {std::nullopt,
                QStringLiteral("演示账套至多 %1 条记录 (--traces)、%2 个物料 (--items)、%3 个物料组 (--groups)。")
                    .arg(db::kDemoMaxTraces)
                    .arg(db::kDemoMaxItems)
                    .arg(db::kDemoMaxGroups)};
    if ((o.groups && o.groups < db::kDemoMinGroups) || (o.items && o.items < db::kDemoMinItems))
        return {std::nullopt, QStringLiteral("演示账套至少要有 %1 个物料组 (--groups) 和 %2 个物料 (--items)。")
                                  .arg(db::kDemoMinGroups)
                                  .arg(db::kDemoMinItems)};
    if (headless) {
        const QString command = CommandName(o.command);
        if (o.all == !o.item.isEmpty())
            return {std::nullopt, QStringLiteral("%1 需要 --item 物料代码 或 --all 之一。").arg(command)};
        if (o.user.isEmpty()) return {std::nullopt, QStringLiteral("%1 需要 --user。").arg(command)};
    }
    if (find) {
        if (o.findScope.isEmpty())
            return {std::nullopt,
                    QStringLiteral("find 需要 --batch、--order、--bom、--item 或 --customer 之一，后跟要查找的文字。")};
        if (o.findText.isEmpty()) return {std::nullopt, QStringLiteral("find 要查找的文字不能为空。")};
        if (o.user.isEmpty()) return {std::nullopt, QStringLiteral("find 需要 --user。")};
    }
    if (o.command == Command::Import) {
        if (o.in.isEmpty()) return {std::nullopt, QStringLiteral("import 需要 --in 指定要引入的 .csv 或 .xlsx 文件。")};
        if (o.user.isEmpty()) return {std::nullopt, QStringLiteral("import 需要 --user。")};
        if (o.dryRun && o.partial)
            return {std::nullopt, QStringLiteral("--dry-run 不写入任何数据，不能与 --partial 一起使用。")};
    }
    if (o.command == Command::User) {
        if (o.database.isEmpty()) return {std::nullopt, QStringLiteral("user 需要 --db 指定公司数据库。")};
        if (!o.user.isEmpty())
            return {std::nullopt, QStringLiteral("user 以账套所有者的身份运行，不用 --user 登录；"
                                                 "要添加或修改的用户名写在动作后面，--password 是这个用户的密码。")};
        const bool changesRights = o.userAction == QLatin1String("grant") || o.userAction == QLatin1String("revoke");
        if (changesRights && !TraceRightsNamed(o.rights))
            return {std::nullopt, QStringLiteral("grant 和 revoke 需要 --rights，取 view、new、modify、ban、delete、"
                                                 "export、print 中的一个或几个，用逗号分开。")};
        if (!changesRights && !o.rights.isEmpty())
            return {std::nullopt, QStringLiteral("--rights 只能与 grant 或 revoke 一起使用。")};
        if (o.userAction != QLatin1String("add") && !o.description.isEmpty())
            return {std::nullopt, QStringLiteral("--description 只能与 add 一起使用。")};
    }
    const QStringList suffixes = OutSuffixes(o.command);
    if (!suffixes.isEmpty() && !suffixes.contains(QFileInfo(o.out).suffix().toLower())) {
        const QString files =
            o.command == Command::Export ? QStringLiteral("一个 .xlsx 或 .csv 文件") : QStringLiteral("一个 .pdf 文件");
        return {std::nullopt, QStringLiteral("%1 需要 --out 指定%2。").arg(CommandName(o.command), files)};
    }
    return {o, QString()};
}

QString UsageText() {
    return QStringLiteral(
        "用法:\n"
        "  qor-erp [--db 文件] [--user 用户名] [--password 密码] [--trace 文件]\n"
        "      登录账套并打开客户BOM批次对应表。不给 --db 时打开数据目录中的演示账套(首次运行时创建)；\n"
        "      不给 --user 时显示登录窗口。--trace 把模块对宿主部件的每次调用按行写成 JSON。\n"
        "  qor-erp --create-demo 文件 [--traces N] [--items M] [--groups G]\n"
        "      创建演示账套；给出数量时按该规模生成数据(用于性能测试)。\n"
        "  凡是要求“文件”的 --db 和 --create-demo 也可以给出 PostgreSQL 服务器上的账套:\n"
        "      postgresql://主机[:端口]/数据库 (多台电脑共用一个账套时使用；每个用户以自己的服务器登录名登录，\n"
        "      由服务器检查密码和权限)；postgresql://所有者[:密码]@主机[:端口]/数据库 是所有者建立和管理账套用的。\n"
        "  qor-erp list --db 文件 --user 用户名 --password 密码 (--item 物料代码 | --all) [--format tsv|csv] [--raw]\n"
        "      不开窗口，按列表窗口的显示输出表头和每一行: --item 为该物料的记录，--all 为全部记录。\n"
        "      CSV 中以 = + - @ 开头的文字前加一个 ' (免得电子表格把它当公式执行)；--raw 原样输出，供程序读取。\n"
        "  qor-erp export --db 文件 --user 用户名 --password 密码 (--item 物料代码 | --all) --out 文件.xlsx|文件.csv "
        "[--raw]\n"
        "      不开窗口，把列表按引出命令写成 Excel 工作簿或 CSV 文件(需要引出权限)。\n"
        "  qor-erp print --db 文件 --user 用户名 --password 密码 (--item 物料代码 | --all) --out 文件.pdf\n"
        "      不开窗口，把列表按打印命令的页面打印成 PDF 文件(需要打印权限)，供归档和定时报表。\n"
        "  qor-erp find --db 文件 --user 用户名 --password 密码 (--batch 批号 | --order 销售订单编号 | --bom "
        "客户BOM编号\n"
        "          | --item 物料代码 | --customer 客户) [--contains] [--format tsv|csv]\n"
        "      不开窗口，在全部物料的记录中查找，最新的在前: 以该文字开头的(给 --contains 时为包含该文字的)，\n"
        "      不分大小写。输出物料、销售订单及行号、客户、客户BOM、批号和禁用标记(需要查看权限)。\n"
        "  qor-erp import --db 文件 --user 用户名 --password 密码 --in 文件.csv|文件.xlsx [--sheet 工作表]\n"
        "          [--dry-run] [--partial] [--report 报告.csv]\n"
        "      不开窗口，按引出文件的列标题(物料代码、批号，可有销售订单编号、行号、客户BOM编号、禁用)引入记录：\n"
        "      已有该物料和批号的修改，没有的新增，检查和保存与修改窗口相同。默认全部写入或全部不写：有被拒绝的行时\n"
        "      什么也不写；--partial 写入没有问题的行；--dry-run 只报告每行的结果。--report 写出每行的行号、结果\n"
        "      (新增/修改/不变/拒绝)和说明。\n"
        "  qor-erp user (add | passwd | disable | enable) 用户名 --db 账套 [--description 描述]\n"
        "  qor-erp user (grant | revoke) 用户名 --db 账套 --rights view,new,modify,ban,delete,export,print\n"
        "      由账套的所有者管理用户：add 和 passwd 的新密码取自 --password、--password-file、QOR_PASSWORD 或终端。\n"
        "      服务器上的账套中每个用户也是服务器的登录名(数据库名/用户名)，由服务器检查密码和权限；这时 --db 写\n"
        "      所有者的地址，而用户登录时写不带用户名的地址 postgresql://主机[:端口]/数据库。\n"
        "  qor-erp --register 部件库文件 | --unregister 部件库文件\n"
        "      在部件注册表中登记或注销部件库(如 /usr/lib/qor-erp/QOROrderBatchTrace.so)的类: root 写系统的\n"
        "      /etc/xdg/qor-erp/components.ini，其他用户写自己的 ~/.config/qor-erp/components.ini(优先于系统的)。\n"
        "  qor-erp --help\n"
        "      显示本说明。\n"
        "不开窗口的命令可以不在命令行上写密码(其他用户用 ps 就能看到命令行)：--password-file "
        "文件(只有自己能读的文件，\n"
        "      第一行是密码)、环境变量 QOR_PASSWORD，或者在终端上运行时按提示输入。\n"
        "退出码: 0 完成；1 命令行有误；2 被拒绝: 账套、登录、权限、找不到的物料、文件、跟踪文件、没有图形显示，\n"
        "      或所有者才能做的用户管理；3 账套没有启用客户BOM批次对应；4 引入时有被拒绝的行。\n");
}

}  // namespace qor::app

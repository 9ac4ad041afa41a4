#include "platform/db/DemoNames.h"

namespace qor::db {

const QStringList& TopGroupNames() {
    static const QStringList names{
        QStringLiteral("成品"),       QStringLiteral("半成品"),   QStringLiteral("原材料"),   QStringLiteral("外购件"),
        QStringLiteral("委外加工件"), QStringLiteral("包装材料"), QStringLiteral("辅助材料"), QStringLiteral("五金件"),
        QStringLiteral("电子元器件"), QStringLiteral("备品备件"),
    };
    return names;
}

const std::vector<ProductFamily>& ProductFamilies() {
    static const std::vector<ProductFamily> families{
        {QStringLiteral("电机"),
         QStringLiteral("台"),
         {QStringLiteral("电机外壳"), QStringLiteral("定子组件"), QStringLiteral("转子组件"),
          QStringLiteral("电机端盖"), QStringLiteral("电机总成")},
         {QStringLiteral("220V/50Hz"), QStringLiteral("380V/50Hz"), QStringLiteral("24V DC 0.75kW"),
          QStringLiteral("Y2-90L-4 1.5kW")}},
        {QStringLiteral("控制板"),
         QStringLiteral("块"),
         {QStringLiteral("控制板 PCB-A"), QStringLiteral("主控板"), QStringLiteral("驱动板"), QStringLiteral("电源板"),
          QStringLiteral("显示板")},
         {QStringLiteral("PCB-A 四层 100x80mm"), QStringLiteral("FR-4 1.6mm"), QStringLiteral("STM32F103 主控"),
          QStringLiteral("双面板 120x90mm")}},
        {QStringLiteral("外壳"),
         QStringLiteral("件"),
         {QStringLiteral("前面板"), QStringLiteral("后盖"), QStringLiteral("底座"), QStringLiteral("机箱外壳")},
         {QStringLiteral("ABS 阻燃 V0"), QStringLiteral("SPCC 1.2mm 喷塑"), QStringLiteral("铝合金 6063 阳极氧化")}},
        {QStringLiteral("线束"),
         QStringLiteral("条"),
         {QStringLiteral("电源线束"), QStringLiteral("信号线束"), QStringLiteral("电机引出线"),
          QStringLiteral("接地线")},
         {QStringLiteral("RVV 3x1.5mm² 1.5m"), QStringLiteral("UL1007 22AWG 300mm"), QStringLiteral("8芯屏蔽 2m")}},
        {QStringLiteral("传感器"),
         QStringLiteral("个"),
         {QStringLiteral("温度传感器"), QStringLiteral("压力传感器"), QStringLiteral("霍尔传感器"),
          QStringLiteral("液位传感器")},
         {QStringLiteral("NTC 10K B3950"), QStringLiteral("0-1.6MPa 4-20mA"), QStringLiteral("DC 5V 开关型")}},
        {QStringLiteral("电源模块"),
         QStringLiteral("个"),
         {QStringLiteral("开关电源"), QStringLiteral("稳压模块"), QStringLiteral("充电模块")},
         {QStringLiteral("AC220V 转 DC24V 5A"), QStringLiteral("DC12V 2A"), QStringLiteral("48V 20A 风冷")}},
        {QStringLiteral("风扇"),
         QStringLiteral("台"),
         {QStringLiteral("轴流风扇"), QStringLiteral("离心风机"), QStringLiteral("散热风扇")},
         {QStringLiteral("120x120x38mm 220V"), QStringLiteral("DC24V 80mm"), QStringLiteral("Φ250 380V")}},
        {QStringLiteral("压缩机"),
         QStringLiteral("台"),
         {QStringLiteral("旋转式压缩机"), QStringLiteral("涡旋压缩机"), QStringLiteral("压缩机总成")},
         {QStringLiteral("R410A 1.5匹"), QStringLiteral("R32 3匹 变频"), QStringLiteral("380V/50Hz 5匹")}},
        {QStringLiteral("阀门"),
         QStringLiteral("个"),
         {QStringLiteral("电磁阀"), QStringLiteral("球阀"), QStringLiteral("单向阀"), QStringLiteral("膨胀阀")},
         {QStringLiteral("DN15 PN16"), QStringLiteral("DN25 不锈钢304"), QStringLiteral("AC220V 常闭")}},
        {QStringLiteral("泵体"),
         QStringLiteral("台"),
         {QStringLiteral("离心泵"), QStringLiteral("齿轮泵"), QStringLiteral("循环泵")},
         {QStringLiteral("流量 5m³/h 扬程 20m"), QStringLiteral("0.55kW 铸铁"), QStringLiteral("DN32 不锈钢")}},
        {QStringLiteral("变压器"),
         QStringLiteral("台"),
         {QStringLiteral("控制变压器"), QStringLiteral("隔离变压器"), QStringLiteral("环形变压器")},
         {QStringLiteral("BK-100VA 380V/220V"), QStringLiteral("500VA 220V/24V"), QStringLiteral("EI-57 12V")}},
        {QStringLiteral("显示屏"),
         QStringLiteral("块"),
         {QStringLiteral("液晶显示屏"), QStringLiteral("数码管显示板"), QStringLiteral("触摸屏")},
         {QStringLiteral("7寸 800x480 TFT"), QStringLiteral("4位共阳 0.56寸"), QStringLiteral("10.1寸 电容屏")}},
        {QStringLiteral("按键面板"),
         QStringLiteral("块"),
         {QStringLiteral("薄膜按键"), QStringLiteral("硅胶按键"), QStringLiteral("操作面板")},
         {QStringLiteral("6键 PET"), QStringLiteral("12键 带背光"), QStringLiteral("200x60mm")}},
        {QStringLiteral("散热器"),
         QStringLiteral("件"),
         {QStringLiteral("铝散热片"), QStringLiteral("热管散热器"), QStringLiteral("冷凝器")},
         {QStringLiteral("100x60x30mm"), QStringLiteral("6063-T5 型材"), QStringLiteral("铜管铝翅片 2排")}},
        {QStringLiteral("齿轮箱"),
         QStringLiteral("台"),
         {QStringLiteral("减速齿轮箱"), QStringLiteral("蜗轮减速机"), QStringLiteral("行星减速器")},
         {QStringLiteral("速比 1:10"), QStringLiteral("RV40 速比 1:30"), QStringLiteral("PLF60 速比 1:5")}},
        {QStringLiteral("轴承座"),
         QStringLiteral("个"),
         {QStringLiteral("立式轴承座"), QStringLiteral("法兰轴承座"), QStringLiteral("深沟球轴承")},
         {QStringLiteral("UCP205"), QStringLiteral("UCF206"), QStringLiteral("6204-2RS")}},
        {QStringLiteral("密封件"),
         QStringLiteral("个"),
         {QStringLiteral("O型密封圈"), QStringLiteral("骨架油封"), QStringLiteral("密封垫片")},
         {QStringLiteral("NBR 20x2.4"), QStringLiteral("TC 25x40x7"), QStringLiteral("硅胶 Φ50")}},
        {QStringLiteral("接插件"),
         QStringLiteral("个"),
         {QStringLiteral("端子台"), QStringLiteral("航空插头"), QStringLiteral("排针座")},
         {QStringLiteral("TB-2512 25A"), QStringLiteral("GX16 4芯"), QStringLiteral("2.54mm 2x10P")}},
        {QStringLiteral("继电器"),
         QStringLiteral("个"),
         {QStringLiteral("中间继电器"), QStringLiteral("固态继电器"), QStringLiteral("时间继电器")},
         {QStringLiteral("DC24V 10A"), QStringLiteral("SSR-40DA"), QStringLiteral("AC220V 0-60s")}},
        {QStringLiteral("开关"),
         QStringLiteral("个"),
         {QStringLiteral("船型开关"), QStringLiteral("行程开关"), QStringLiteral("急停按钮")},
         {QStringLiteral("KCD1 6A 250V"), QStringLiteral("LXW5-11M"), QStringLiteral("Φ22 红色蘑菇头")}},
    };
    return families;
}

const QStringList& FamilyVariants() {
    static const QStringList variants{
        QStringLiteral("标准"), QStringLiteral("出口"),   QStringLiteral("定制"), QStringLiteral("微型"),
        QStringLiteral("工业"), QStringLiteral("家用"),   QStringLiteral("防爆"), QStringLiteral("高温"),
        QStringLiteral("低噪"), QStringLiteral("节能"),   QStringLiteral("车载"), QStringLiteral("医用"),
        QStringLiteral("户外"), QStringLiteral("防水"),   QStringLiteral("轻型"), QStringLiteral("重型"),
        QStringLiteral("精密"), QStringLiteral("经济型"), QStringLiteral("智能"), QStringLiteral("变频"),
    };
    return variants;
}

const QStringList& CustomerNames() {
    static const QStringList names{
        QStringLiteral("华东机电有限公司"),           QStringLiteral("华南电器股份有限公司"),
        QStringLiteral("北方重工机械集团"),           QStringLiteral("苏州精工自动化有限公司"),
        QStringLiteral("宁波东海电器有限公司"),       QStringLiteral("青岛海岳制冷设备有限公司"),
        QStringLiteral("武汉长江动力有限公司"),       QStringLiteral("成都天府智能装备有限公司"),
        QStringLiteral("佛山顺德家电有限公司"),       QStringLiteral("天津滨海泵业有限公司"),
        QStringLiteral("杭州西子电梯配件厂"),         QStringLiteral("厦门鹭岛电子科技有限公司"),
        QStringLiteral("沈阳北方风机有限公司"),       QStringLiteral("无锡太湖机械有限公司"),
        QStringLiteral("合肥江淮汽车零部件有限公司"), QStringLiteral("东莞长安精密五金厂"),
        QStringLiteral("郑州中原输送设备有限公司"),   QStringLiteral("西安秦川仪表有限公司"),
    };
    return names;
}

const QStringList& StockNames() {
    static const QStringList names{QStringLiteral("成品仓"), QStringLiteral("半成品仓"), QStringLiteral("委外仓"),
                                   QStringLiteral("待检仓")};
    return names;
}

const QStringList& BomNotes() {
    static const QStringList notes{
        QStringLiteral("客户指定物料"), QStringLiteral("按客户图纸"),     QStringLiteral("出口包装"),
        QStringLiteral("客户专用标签"), QStringLiteral("替换为进口轴承"), QStringLiteral(""),
    };
    return notes;
}

}  // namespace qor::db

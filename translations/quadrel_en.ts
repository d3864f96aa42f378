<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Quadrel</name>
    <message>
        <source>%1图片保存成功。</source>
        <translation>Picture saved: %1</translation>
    </message>
    <message>
        <source>)没有找到对应的主极化交叉图，故没有极化。</source>
        <translation>) has no co-polar pattern loaded, so it is drawn without a reference.</translation>
    </message>
    <message>
        <source>LAST ERROR: 交叉极化方向图(</source>
        <translation>LAST ERROR: cross-polar pattern (</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>使用中文名称</source>
        <translation>Use Chinese names</translation>
    </message>
    <message>
        <source>使用英文名称</source>
        <translation>Use English names</translation>
    </message>
    <message>
        <source>信息提示</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>Restore Defaults</translation>
    </message>
    <message>
        <source>指标命名设置</source>
        <translation>Indicator Naming Settings</translation>
    </message>
    <message>
        <source>接受到关闭消息</source>
        <translation>Close message received</translation>
    </message>
    <message>
        <source>文件在磁盘上不存在</source>
        <translation> does not exist on disk</translation>
    </message>
    <message>
        <source>没有找到与之关联的主极化方向图，旋转将有偏差。</source>
        <translation>No co-polar pattern belongs to this pattern; the rotation will be off.</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>选择数据导入目录：</source>
        <translation>Choose the data folder:</translation>
    </message>
</context>
</TS>
